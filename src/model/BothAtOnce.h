// Two independent jobs at once: b on a second thread when the machine has a
// second core, otherwise one after the other. The diagram sweeps and the valve
// events share their halves out this way; each job writes only its own
// results, so the outcome is the same either way.
#pragma once

#include <thread>
#include <utility>

namespace tevrane {

template <class A, class B>
void bothAtOnce(A&& a, B&& b) {
    if (std::thread::hardware_concurrency() < 2) {
        a();
        b();
        return;
    }
    std::thread worker(std::forward<B>(b));
    a();
    worker.join();
}

}  // namespace tevrane
