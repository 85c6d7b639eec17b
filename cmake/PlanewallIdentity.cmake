# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: the planewall authors

# The program's name for desktops and its version, for every target that shows them: the
# header planewall_version.h (kVersion, kApplicationId) through the planewall_version target.
# The version is project()'s; the ID is the project's own reverse-DNS name (it has no domain).
set(PLANEWALL_APP_ID org.planewall.Planewall)

configure_file(${CMAKE_CURRENT_LIST_DIR}/planewall_version.h.in
    ${PROJECT_BINARY_DIR}/generated/planewall_version.h @ONLY)
add_library(planewall_version INTERFACE)
target_include_directories(planewall_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
