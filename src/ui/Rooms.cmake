# The windows' rooms, lowest first, each with the rooms it builds on (see cmake/Seams.cmake: the
# build refuses an include that this list does not allow). The whole core lies below every room.
pelmorix_ui_room(fonts)                      # stand-in faces of the windows' fonts
pelmorix_ui_room(base)                       # control tables, colours, hover button, accessibility
pelmorix_ui_room(frame base)                 # skin bitmaps, frame skin, caption buttons, tool windows
pelmorix_ui_room(console base)               # the console edit control
pelmorix_ui_room(graph base frame fonts)
pelmorix_ui_room(units base frame fonts)
pelmorix_ui_room(bignum base frame fonts)
pelmorix_ui_room(help base frame fonts)
pelmorix_ui_room(keyboard base frame fonts console)
pelmorix_ui_room(varlist base frame fonts console)
pelmorix_ui_room(settings base frame fonts)
pelmorix_ui_room(app base frame fonts console graph units bignum help keyboard varlist settings)
