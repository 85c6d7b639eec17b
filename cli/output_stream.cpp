// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "output_stream.h"

#include <cerrno>

#include <unistd.h>

namespace planewall::cli {

DescriptorBuffer::DescriptorBuffer(int fd) : m_fd(fd), m_buffer(1 << 16)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

DescriptorBuffer::~DescriptorBuffer()
{
    flushBuffer();
}

bool DescriptorBuffer::flushBuffer()
{
    const char *next = pbase();
    while (next < pptr() && m_error == 0) {
        const ssize_t written = ::write(m_fd, next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // A write that makes no progress would loop forever; name it as a full device.
            m_error = written < 0 ? errno : ENOSPC;
            break;
        }
        next += written;
    }
    // After a failure the rest is dropped: nothing more can reach the reader.
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_error == 0;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c)
{
    if (!flushBuffer())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorBuffer::sync()
{
    return flushBuffer() ? 0 : -1;
}

} // namespace planewall::cli
