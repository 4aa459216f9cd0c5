#include "VozudOzev/Platform/TesseractPool.hpp"

#include "VozudOzev/Platform/HugePageHeap.hpp"
#include "VozudOzev/Platform/SerialOpenMP.hpp"
#include "VozudOzev/Platform/TextRecognitionError.hpp"

#include <tesseract/baseapi.h>

namespace VozudOzev {

namespace {

std::unique_ptr<tesseract::TessBaseAPI> makeEngine(const TesseractPool::Settings& s)
{
    auto api = std::make_unique<tesseract::TessBaseAPI>();
    std::vector<std::string> names{"debug_file"};
    std::vector<std::string> values{"/dev/null"};
    if (!s.correction) {
        names.insert(names.end(), {"load_system_dawg", "load_freq_dawg"});
        values.insert(values.end(), {"0", "0"});
    }
    if (api->Init(s.dataPath.empty() ? nullptr : s.dataPath.c_str(), s.languages.c_str(), tesseract::OEM_LSTM_ONLY,
                  nullptr, 0, &names, &values, false) != 0)
        throw TextRecognitionError("text recognition unavailable: cannot load language data \"" + s.languages + "\"");
    return api;
}

}  // namespace

TesseractPool::Lease::Lease(TesseractPool& pool, std::string key, std::unique_ptr<tesseract::TessBaseAPI> api)
    : pool_(pool), key_(std::move(key)), api_(std::move(api))
{
}

TesseractPool::Lease::~Lease()
{
    api_->Clear();
    std::lock_guard lock(pool_.mutex_);
    pool_.idle_[key_].push_back(std::move(api_));
}

TesseractPool::TesseractPool() = default;
TesseractPool::~TesseractPool() = default;

TesseractPool::Lease TesseractPool::borrow(const Settings& settings)
{
    // The instance is made and used on this thread: settle the thread policy before either.
    SerialOpenMP::applyToThisThread();
    const std::string key = settings.dataPath + '\n' + settings.languages + (settings.correction ? "\n1" : "\n0");
    {
        std::lock_guard lock(mutex_);
        auto& idle = idle_[key];
        if (!idle.empty()) {
            auto api = std::move(idle.back());
            idle.pop_back();
            return Lease(*this, key, std::move(api));
        }
    }
    HugePageHeap::reserve();
    return Lease(*this, key, makeEngine(settings));
}

}  // namespace VozudOzev
