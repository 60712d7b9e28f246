#pragma once

#include <QtGlobal>

#include <functional>

// Calls work(i) for every i in [0, count), spread over the processor's cores
// with the calling thread taking part, and returns once every call has
// returned. Calls run side by side: each must write only what is its own.
// Where no thread can be started, the calling thread does all the work.
void parallelFor(qsizetype count, const std::function<void(qsizetype)>& work);
