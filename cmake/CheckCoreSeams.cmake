# cmake -DCORE=<folder> [-DTESTS=<folder>] -P CheckCoreSeams.cmake: fails when an include below
# CORE (or TESTS) crosses a seam that CORE/Subsystems.cmake does not declare.
include(${CMAKE_CURRENT_LIST_DIR}/CoreSeams.cmake)
pelmorix_check_core_seams(${CORE} ${TESTS})
