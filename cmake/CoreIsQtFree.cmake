# The core library must build without Qt: refuse to configure when one of its files includes a
# Qt header or anything from the widget layer.
function(pelmorix_check_core_is_qt_free dir)
    file(GLOB_RECURSE files ${dir}/*.h ${dir}/*.cpp)
    foreach(f IN LISTS files)
        file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt[A-Za-z]*/|ui/)")
        if(lines)
            message(FATAL_ERROR "${f} includes Qt or widget code, which the core may not: ${lines}")
        endif()
    endforeach()
endfunction()
