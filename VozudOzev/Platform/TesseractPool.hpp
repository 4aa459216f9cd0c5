#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tesseract {
class TessBaseAPI;
}

namespace VozudOzev {

// Tesseract instances are not thread-safe, and dictionaries can only be chosen when one is
// made, which takes a good fraction of a second. Idle instances are kept per settings and
// lent to one call at a time, so any thread reuses them.
class TesseractPool {
public:
    struct Settings {
        std::string dataPath;   // empty: Tesseract's own default
        std::string languages;  // Tesseract's form, "vie+eng"
        bool correction = false;
    };

    // An instance lent for one recognition; returned, cleared, when the lease ends.
    class Lease {
    public:
        Lease(TesseractPool& pool, std::string key, std::unique_ptr<tesseract::TessBaseAPI> api);
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease();
        tesseract::TessBaseAPI& operator*() const { return *api_; }

    private:
        TesseractPool& pool_;
        std::string key_;
        std::unique_ptr<tesseract::TessBaseAPI> api_;
    };

    TesseractPool();
    ~TesseractPool();

    // Throws TextRecognitionError when the language data cannot be loaded.
    Lease borrow(const Settings& settings);

private:
    std::mutex mutex_;
    std::map<std::string, std::vector<std::unique_ptr<tesseract::TessBaseAPI>>> idle_;
};

}  // namespace VozudOzev
