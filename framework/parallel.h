// Independent pieces of a calculation run side by side on the processor's threads.
#pragma once

#include <functional>

// Calls fn(0) .. fn(nCount - 1) on worker threads and on the caller, and returns when all have
// ended. A call may touch only what is its own: no window, no document, no other call's data.
// The first exception a call throws is thrown again here, once the others have ended.
void AfxParallelFor(int nCount, const std::function<void(int)>& fn);

// The threads that AfxParallelFor uses: nThreads when positive, else MARIVOLTEN_THREADS when it
// is set, else one per hardware thread. One thread runs every call in order on the caller.
void AfxSetWorkerThreads(int nThreads);
int AfxGetWorkerThreads();
