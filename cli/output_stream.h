// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <streambuf>
#include <vector>

namespace planewall::cli {

// Standard output as planewall-cli writes it: a buffer over a file descriptor that remembers
// the first write error (ENOSPC on a full disk, EBADF on a closed stdout, EIO, EPIPE), so that
// the program can say it could not write its output instead of ending as if it had.
class DescriptorBuffer : public std::streambuf
{
public:
    explicit DescriptorBuffer(int fd);
    ~DescriptorBuffer() override;

    // The errno of the first failed write, 0 while every write has succeeded.
    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool flushBuffer();

    int m_fd;
    int m_error = 0;
    std::vector<char> m_buffer;
};

} // namespace planewall::cli
