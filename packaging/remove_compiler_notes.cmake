# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: the planewall authors

# Part of the install, after the programs: in a stripped install, removes the sections that
# name the compiler (.comment, .note) from each of PLANEWALL_PROGRAMS, with PLANEWALL_OBJCOPY.
if(CMAKE_INSTALL_DO_STRIP)
    foreach(program IN LISTS PLANEWALL_PROGRAMS)
        set(file "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${program}")
        if(EXISTS "${file}")
            execute_process(COMMAND "${PLANEWALL_OBJCOPY}" --remove-section=.comment
                --remove-section=.note "${file}" COMMAND_ERROR_IS_FATAL ANY)
        endif()
    endforeach()
endif()
