# upper names lower but includes nothing of it: the seam check must refuse the declaration.
pelmorix_core_subsystem(lower)
pelmorix_core_subsystem(upper lower)
