# cmake -DDIR=<folder> -P CheckCoreQtFree.cmake: fails when a file below DIR includes Qt.
include(${CMAKE_CURRENT_LIST_DIR}/CoreIsQtFree.cmake)
pelmorix_check_core_is_qt_free(${DIR})
