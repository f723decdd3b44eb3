# The core's subsystems and the seams between them. <core>/Subsystems.cmake names every subsystem
# once, lowest first, with the subsystems it builds on:
#     pelmorix_core_subsystem(units base eval)
# A subsystem builds only on subsystems named before it. Its files include headers only from its
# own folder and from the subsystems it names, and it names none that it does not include; its
# tests (tests/core/<subsystem>) keep to the same headers, since they link only that subsystem.
# pelmorix_check_core_seams refuses to configure otherwise.

# Called from Subsystems.cmake: appends to PELMORIX_CORE_SUBSYSTEMS and sets
# PELMORIX_CORE_DEPS_<name> in the scope that includes it.
macro(pelmorix_core_subsystem name)
    list(APPEND PELMORIX_CORE_SUBSYSTEMS ${name})
    set(PELMORIX_CORE_DEPS_${name} ${ARGN})
endmacro()

# Reads <core>/Subsystems.cmake into PELMORIX_CORE_SUBSYSTEMS and PELMORIX_CORE_DEPS_<name>.
macro(pelmorix_read_core_subsystems core)
    set(PELMORIX_CORE_SUBSYSTEMS "")
    include(${core}/Subsystems.cmake)
endmacro()

# Fails unless every include of a core header below dir (the folder of subsystem sub, or its
# tests) stays within sub and the subsystems it names; with check_unused, also unless each named
# subsystem is included somewhere. subsystems: every subsystem.
function(pelmorix_core_check_folder core dir sub subsystems check_unused)
    set(allowed ${sub} ${PELMORIX_CORE_DEPS_${sub}})
    set(used "")
    file(GLOB_RECURSE files ${dir}/*.h ${dir}/*.cpp)
    foreach(f IN LISTS files)
        file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS lines)
            if(line MATCHES "include[ \t]*[<\"]\\.\\./")
                message(FATAL_ERROR "${f}: ${line} climbs out of its folder; include core headers "
                    "as \"core/<subsystem>/<file>.h\"")
            endif()
            if(line MATCHES "include[ \t]*[<\"]ui/")
                message(FATAL_ERROR "${f}: ${line} runs from the core up into the windows")
            endif()
            if(NOT line MATCHES "include[ \t]*[<\"]core/([A-Za-z0-9_]+)/")
                continue()
            endif()
            set(folder ${CMAKE_MATCH_1})
            list(FIND subsystems ${folder} nSubsystem)
            list(FIND allowed ${folder} nAllowed)
            if(nSubsystem GREATER_EQUAL 0 AND nAllowed LESS 0)
                message(FATAL_ERROR "${f}: ${line} crosses a seam the build does not declare: "
                    "subsystem ${sub} does not build on ${folder}. Name ${folder} in ${sub}'s line "
                    "of ${core}/Subsystems.cmake, or move what it needs.")
            endif()
            list(APPEND used ${folder})
        endforeach()
    endforeach()
    if(check_unused)
        foreach(dep IN LISTS PELMORIX_CORE_DEPS_${sub})
            list(FIND used ${dep} nUsed)
            if(nUsed LESS 0)
                message(FATAL_ERROR "${core}/Subsystems.cmake: subsystem ${sub} names ${dep}, but "
                    "none of its files includes a ${dep} header; drop ${dep} from its line.")
            endif()
        endforeach()
    endif()
endfunction()

# Checks the declarations in <core>/Subsystems.cmake and the includes of every file below core,
# and of the tests below tests_dir when given.
function(pelmorix_check_core_seams core)
    set(tests_dir "${ARGV1}")
    pelmorix_read_core_subsystems(${core})
    set(subsystems ${PELMORIX_CORE_SUBSYSTEMS})
    file(GLOB entries LIST_DIRECTORIES true RELATIVE ${core} ${core}/*)
    foreach(entry IN LISTS entries)
        list(FIND subsystems ${entry} nListed)
        if(IS_DIRECTORY ${core}/${entry} AND nListed LESS 0)
            message(FATAL_ERROR "${core}/${entry} is no subsystem: name it in ${core}/Subsystems.cmake")
        endif()
    endforeach()
    set(below "")
    foreach(sub IN LISTS subsystems)
        if(NOT IS_DIRECTORY ${core}/${sub})
            message(FATAL_ERROR "${core}/Subsystems.cmake names ${sub}, which has no folder")
        endif()
        foreach(dep IN LISTS PELMORIX_CORE_DEPS_${sub})
            list(FIND below ${dep} nBelow)
            if(nBelow LESS 0)
                message(FATAL_ERROR "${core}/Subsystems.cmake: ${sub} builds on ${dep}, which is "
                    "not a subsystem named before it")
            endif()
        endforeach()
        list(APPEND below ${sub})
    endforeach()
    foreach(sub IN LISTS subsystems)
        pelmorix_core_check_folder(${core} ${core}/${sub} ${sub} "${subsystems}" TRUE)
        if(tests_dir AND IS_DIRECTORY ${tests_dir}/${sub})
            pelmorix_core_check_folder(${core} ${tests_dir}/${sub} ${sub} "${subsystems}" FALSE)
        endif()
    endforeach()
endfunction()
