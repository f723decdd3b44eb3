# upper names lower but includes only core headers: the seam check must refuse the declaration.
pelmorix_ui_room(lower)
pelmorix_ui_room(upper lower)
