// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "cli.h"
#include "output_stream.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char *argv[])
{
    std::ios::sync_with_stdio(false);
    planewall::cli::DescriptorBuffer buffer(1);
    std::ostream out(&buffer);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    int status;
    try {
        status = planewall::cli::run(args, std::cin, out, std::cerr);
    } catch (const std::exception &error) {
        // Every expected failure has its own message; this one says the program itself erred.
        out.flush();
        std::cerr << "planewall-cli: internal error: " << error.what() << '\n';
        return planewall::cli::kFailure;
    }
    out.flush();
    if (buffer.error() == EPIPE)
        return planewall::cli::kFailure; // the reader has gone (| head): nothing to tell
    if (buffer.error() != 0) {
        std::cerr << "planewall-cli: cannot write output: " << std::strerror(buffer.error())
                  << '\n';
        status = planewall::cli::kFailure;
    }
    return status;
}
