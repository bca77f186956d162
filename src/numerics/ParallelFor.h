#pragma once
// Long calculations (the charts, the performance map, the refinement of the
// station intervals) consist of many independent solves, which they spread
// over the processor's cores here.
//
// The calling thread does none of the solving. It waits, and is told from
// time to time how far the run of finished items from the start has got, so
// that it can go on driving the progress display, and the user interface
// behind it, exactly as the one-thread loop would: the same updates in the
// same order, and a cancellation raised from there. Every item writes its
// result into a slot of its own that the caller owns, and the caller reads the
// slots in item order, so the results are the same, bit for bit, whichever
// thread solved what.

#include <functional>
#include <string>

namespace umbrinex {

// Threads the long calculations use: the number set by SetCalculationThreads,
// else the environment variable UMBRINEX_THREADS when it holds a whole number
// from 1 to 256, else one per processor core.
int CalculationThreads();
// 0 goes back to the default.
void SetCalculationThreads(int threads);
// One per processor core (at least one, at most 256).
int DefaultCalculationThreads();
// What the program tells the user, once, when UMBRINEX_THREADS is set but
// not to a number of threads it can use: the value and the default used
// instead. Empty when the variable is unset or usable.
std::string ThreadsEnvironmentWarning();

using TParallelWork = std::function<void(int item, int worker)>;
using TParallelPoll = std::function<void(int finished)>;

// Runs work(item, worker) for every item from 0 to count − 1, with worker
// from 0 to threads − 1 naming the thread, so that each thread can use
// objects of its own.
//
// poll(finished) runs on the calling thread, finished being the number of
// leading items done: once before any item, and then after every item with
// one thread, or with more about every PollInterval and at the end. With one
// thread the items run on the calling thread itself, in order.
//
// An exception from poll (a cancellation) starts no further item, waits for
// the running ones and propagates. An exception from work stops the handing
// out of items; every item before the failed one is finished and polled,
// and then the exception of the first failed item propagates, as the loop
// would have raised it. Either way no thread outlives the call.
void ParallelFor(int count, int threads, const TParallelWork& work, const TParallelPoll& poll);

// True on a worker thread of ParallelFor while it runs an item.
bool InParallelWorker();
// A long loop inside an item calls this at every step: on a worker thread
// it raises the silent abort once the calling thread has given the run up
// (a cancellation from its poll), so that a cancelled run ends within a
// step instead of after the item. Elsewhere it does nothing.
void CheckParallelAbandoned();

// How often the waiting thread polls while the workers run, in milliseconds.
inline constexpr int PollInterval = 15;

}  // namespace umbrinex
