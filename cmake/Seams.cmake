# The seams of the two trees: the core's subsystems, declared in src/core/Subsystems.cmake, and the
# windows' rooms, declared in src/ui/Rooms.cmake. Each declaration names every unit of its tree
# once, lowest first, with the units of the same tree it builds on:
#     pelmorix_core_subsystem(units base eval)
#     pelmorix_ui_room(keyboard base fonts console)
# A unit builds only on units named before it, so no include runs back up and no circle forms.
# Its files include headers of their own tree only from their own folder and from the units it
# names, and it names none that it does not include. Nothing includes with "../", and no source
# file lies outside the units' folders. The core includes nothing of the windows; the whole core
# lies below the windows, so a room may include any core header.
# Tests: those of a core subsystem (tests/core/<subsystem>) keep to its headers, since they link
# only that subsystem. The window tests link the whole widget library and open the main window,
# so they may include any room, but no "../" and no folder that is not a room.
# Within a room, no two files include each other both ways (counted by stem: Foo.h and Foo.cpp are
# one file): one of them is below the other.
# pelmorix_check_seams refuses to configure otherwise.

# Called from Subsystems.cmake: appends to PELMORIX_CORE_SUBSYSTEMS and sets
# PELMORIX_CORE_DEPS_<name> in the scope that includes it.
macro(pelmorix_core_subsystem name)
    list(APPEND PELMORIX_CORE_SUBSYSTEMS ${name})
    set(PELMORIX_CORE_DEPS_${name} ${ARGN})
endmacro()

# Called from Rooms.cmake: appends to PELMORIX_UI_ROOMS and sets PELMORIX_UI_DEPS_<name>.
macro(pelmorix_ui_room name)
    list(APPEND PELMORIX_UI_ROOMS ${name})
    set(PELMORIX_UI_DEPS_${name} ${ARGN})
endmacro()

# Reads <core>/Subsystems.cmake into PELMORIX_CORE_SUBSYSTEMS and PELMORIX_CORE_DEPS_<name>.
macro(pelmorix_read_core_subsystems core)
    set(PELMORIX_CORE_SUBSYSTEMS "")
    include(${core}/Subsystems.cmake)
endmacro()

# Reads <ui>/Rooms.cmake into PELMORIX_UI_ROOMS and PELMORIX_UI_DEPS_<name>.
macro(pelmorix_read_ui_rooms ui)
    set(PELMORIX_UI_ROOMS "")
    include(${ui}/Rooms.cmake)
endmacro()

# The functions below read the declarations of the tree being checked from their caller's scope:
# tree (core or ui), units (lowest first), deps_<unit>, noun (what a unit is called) and
# declarations (the file that declares them).

# Fails unless every folder below dir is a declared unit, no source file lies beside them, and
# every unit has a folder and builds only on units named before it.
function(pelmorix_check_declarations dir)
    file(GLOB entries LIST_DIRECTORIES true RELATIVE ${dir} ${dir}/*)
    foreach(entry IN LISTS entries)
        list(FIND units ${entry} nListed)
        if(IS_DIRECTORY ${dir}/${entry} AND nListed LESS 0)
            message(FATAL_ERROR "${dir}/${entry} is no ${noun}: name it in ${declarations}")
        endif()
        if(entry MATCHES "\\.(h|cpp)$")
            message(FATAL_ERROR "${dir}/${entry} lies in no ${noun}: move it into one")
        endif()
    endforeach()
    set(below "")
    foreach(unit IN LISTS units)
        if(NOT IS_DIRECTORY ${dir}/${unit})
            message(FATAL_ERROR "${declarations} names ${unit}, which has no folder")
        endif()
        foreach(dep IN LISTS deps_${unit})
            list(FIND below ${dep} nBelow)
            if(nBelow LESS 0)
                message(FATAL_ERROR "${declarations}: ${unit} builds on ${dep}, which is not a "
                    "${noun} named before it")
            endif()
        endforeach()
        list(APPEND below ${unit})
    endforeach()
endfunction()

# Sets the caller's folder to the unit of this tree that an include line names ("core/eval/..."
# in the core, "ui/graph/..." in the windows), or to "" when it names none; fails on an include
# that climbs with "../" or runs from the core up into the windows.
function(pelmorix_included_unit file line)
    if(line MATCHES "include[ \t]*[<\"]\\.\\./")
        message(FATAL_ERROR "${file}: ${line} climbs out of its folder; include headers as "
            "\"${tree}/<${noun}>/<file>.h\"")
    endif()
    if(tree STREQUAL "core" AND line MATCHES "include[ \t]*[<\"]ui/")
        message(FATAL_ERROR "${file}: ${line} runs from the core up into the windows")
    endif()
    set(folder "" PARENT_SCOPE)
    if(line MATCHES "include[ \t]*[<\"]${tree}/([A-Za-z0-9_]+)/")
        set(folder ${CMAKE_MATCH_1} PARENT_SCOPE)
    endif()
endfunction()

# Fails unless every include of this tree's headers below dir stays within unit and the units it
# names; with check_unused, also unless each named unit is included somewhere. An empty unit
# stands for the window tests, which may include any room.
function(pelmorix_check_folder dir unit check_unused)
    set(allowed ${unit} ${deps_${unit}})
    set(used "")
    file(GLOB_RECURSE files ${dir}/*.h ${dir}/*.cpp)
    foreach(f IN LISTS files)
        file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS lines)
            pelmorix_included_unit(${f} "${line}")
            if(NOT folder)
                continue()
            endif()
            list(FIND units ${folder} nUnit)
            list(FIND allowed ${folder} nAllowed)
            if(nUnit LESS 0)
                message(FATAL_ERROR "${f}: ${line} names ${folder}, which is no ${noun} of "
                    "${declarations}")
            endif()
            if(unit AND nAllowed LESS 0)
                message(FATAL_ERROR "${f}: ${line} crosses a seam the build does not declare: "
                    "${noun} ${unit} does not build on ${folder}. Name ${folder} in ${unit}'s "
                    "line of ${declarations}, or move what it needs.")
            endif()
            list(APPEND used ${folder})
        endforeach()
    endforeach()
    if(check_unused)
        foreach(dep IN LISTS deps_${unit})
            list(FIND used ${dep} nUsed)
            if(nUsed LESS 0)
                message(FATAL_ERROR "${declarations}: ${noun} ${unit} names ${dep}, but none of "
                    "its files includes a ${dep} header; drop ${dep} from its line.")
            endif()
        endforeach()
    endif()
endfunction()

# Fails when two files of the room below dir include each other's headers, counted by stem:
# X.h or X.cpp includes Y.h, and Y.h or Y.cpp includes X.h.
function(pelmorix_check_one_way dir unit)
    file(GLOB files ${dir}/*.h ${dir}/*.cpp)
    set(edges "")
    foreach(f IN LISTS files)
        get_filename_component(stem ${f} NAME_WE)
        file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]${tree}/${unit}/")
        foreach(line IN LISTS lines)
            if(line MATCHES "${tree}/${unit}/([A-Za-z0-9_]+)\\.h"
               AND NOT CMAKE_MATCH_1 STREQUAL stem)
                list(APPEND edges "${stem}>${CMAKE_MATCH_1}")
            endif()
        endforeach()
    endforeach()
    foreach(edge IN LISTS edges)
        string(REPLACE ">" ";" pair ${edge})
        list(GET pair 0 from)
        list(GET pair 1 to)
        list(FIND edges "${to}>${from}" nBack)
        if(nBack GREATER_EQUAL 0)
            message(FATAL_ERROR "${dir}: ${from} and ${to} include each other; let one of them "
                "build on the other only (a callback, an interface or a third file).")
        endif()
    endforeach()
endfunction()

# Checks the declarations of tree (core or ui) below dir and the includes of every file below
# it, and of the tests below tests_dir when given.
function(pelmorix_check_seams tree dir)
    set(tests_dir "${ARGV2}")
    if(tree STREQUAL "core")
        pelmorix_read_core_subsystems(${dir})
        set(units ${PELMORIX_CORE_SUBSYSTEMS})
        set(noun subsystem)
        set(declarations ${dir}/Subsystems.cmake)
    else()
        pelmorix_read_ui_rooms(${dir})
        set(units ${PELMORIX_UI_ROOMS})
        set(noun room)
        set(declarations ${dir}/Rooms.cmake)
    endif()
    string(TOUPPER ${tree} TREE)
    foreach(unit IN LISTS units)
        set(deps_${unit} ${PELMORIX_${TREE}_DEPS_${unit}})
    endforeach()
    pelmorix_check_declarations(${dir})
    foreach(unit IN LISTS units)
        pelmorix_check_folder(${dir}/${unit} ${unit} TRUE)
        if(tree STREQUAL "ui")
            pelmorix_check_one_way(${dir}/${unit} ${unit})
        endif()
        if(tree STREQUAL "core" AND tests_dir AND IS_DIRECTORY ${tests_dir}/${unit})
            pelmorix_check_folder(${tests_dir}/${unit} ${unit} FALSE)
        endif()
    endforeach()
    if(tree STREQUAL "ui" AND tests_dir)
        pelmorix_check_folder(${tests_dir} "" FALSE)
    endif()
endfunction()
