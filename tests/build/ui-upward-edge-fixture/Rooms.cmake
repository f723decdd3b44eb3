# lower builds on upper, which is named after it: the seam check must refuse the declaration.
pelmorix_ui_room(lower upper)
pelmorix_ui_room(upper)
