# The windows' rooms, lowest first, each with the rooms it builds on (see cmake/Seams.cmake: the
# build refuses an include that this list does not allow). The whole core lies below every room.
pelmorix_ui_room(fonts)                      # stand-in faces of the windows' fonts
pelmorix_ui_room(base)                       # window base, control tables, colours, frame skin
pelmorix_ui_room(console base)               # the console edit control
pelmorix_ui_room(graph base fonts)
pelmorix_ui_room(units base fonts)
pelmorix_ui_room(bignum base fonts)
pelmorix_ui_room(help base fonts)
pelmorix_ui_room(keyboard base fonts console)
pelmorix_ui_room(varlist base fonts console)
pelmorix_ui_room(settings base fonts)
pelmorix_ui_room(app base fonts console graph units bignum help keyboard varlist settings)
