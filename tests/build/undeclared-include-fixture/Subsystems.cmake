# upper includes a lower header without naming lower: the seam check must refuse it.
pelmorix_core_subsystem(lower)
pelmorix_core_subsystem(upper)
