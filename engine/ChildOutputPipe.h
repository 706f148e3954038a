// The pipe that carries a child process's standard output and error to us.
//
// An anonymous pipe cannot be read with a time limit, and a child that fills it blocks
// until somebody reads. So the read end is the overlapped end of a private named pipe:
// the runner waits for the child, for data and for cancellation at once, and keeps the
// pipe drained. The write end is the only handle the child inherits.
#pragma once

#include <windows.h>

#include <string>

#include "ScopedHandle.h"

class CChildOutputPipe {
public:
    CChildOutputPipe() = default;
    ~CChildOutputPipe();
    CChildOutputPipe(const CChildOutputPipe&) = delete;
    CChildOutputPipe& operator=(const CChildOutputPipe&) = delete;

    bool Create();
    HANDLE WriteEnd() const { return m_writeEnd.Get(); }
    void CloseWriteEnd() { m_writeEnd.Reset(); }

    // Signalled when the pending read has finished; null once the pipe has ended.
    HANDLE ReadEvent() const { return m_open ? m_readDone.Get() : nullptr; }

    // Starts the first read. False when the pipe has already ended.
    bool BeginReading();

    // After ReadEvent was signalled: appends the bytes and starts the next read.
    void TakeCompletedRead(std::string& raw);

    // After the child has ended: appends what is still buffered. Never waits for data,
    // since a process the child started may hold a copy of the write end for good.
    void DrainBuffered(std::string& raw);

private:
    bool StartRead();
    bool FinishRead(std::string& raw, bool wait);

    CScopedFileHandle m_readEnd;
    CScopedFileHandle m_writeEnd;
    CScopedKernelHandle m_readDone;
    OVERLAPPED m_overlapped{};
    char m_buffer[64 * 1024];
    bool m_pending = false;
    bool m_open = false;
};
