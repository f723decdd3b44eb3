# Painter.cpp includes Frame.h and Frame.h includes Painter.h: the seam check must refuse the pair.
pelmorix_ui_room(room)
