# lower reaches up into upper, a room named after it: the seam check must refuse the include.
pelmorix_ui_room(lower)
pelmorix_ui_room(upper lower)
