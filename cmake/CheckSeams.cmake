# cmake -DTREE=core|ui -DDIR=<folder> [-DTESTS=<folder>] -P CheckSeams.cmake: fails when an
# include below DIR (or TESTS) crosses a seam that DIR's declarations (Subsystems.cmake for the
# core, Rooms.cmake for the windows) do not allow.
include(${CMAKE_CURRENT_LIST_DIR}/Seams.cmake)
pelmorix_check_seams(${TREE} ${DIR} ${TESTS})
