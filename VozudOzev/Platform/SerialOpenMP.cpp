#include "VozudOzev/Platform/SerialOpenMP.hpp"

#include <dlfcn.h>

namespace VozudOzev::SerialOpenMP {

void applyToThisThread()
{
    thread_local bool applied = false;
    if (applied)
        return;
    applied = true;
    // Looked up at run time: the runtime Tesseract was built with, if any. With no active
    // level allowed, a parallel region is inactive, whatever team size it asks for; the
    // setting belongs to the calling thread, so other OpenMP users keep theirs.
    using SetInt = void (*)(int);
    static const auto setMaxActiveLevels = reinterpret_cast<SetInt>(dlsym(RTLD_DEFAULT, "omp_set_max_active_levels"));
    if (setMaxActiveLevels)
        setMaxActiveLevels(0);
}

}  // namespace VozudOzev::SerialOpenMP
