#pragma once

#include "Kestrow/Shell/AlertPresenter.hpp"

#include <functional>
#include <vector>

namespace KestrowTest {

// Records every alert and answers with the scripted button.
class FakeAlertPresenter final : public Kestrow::AlertPresenter {
public:
    int run(const Kestrow::Alert& alert) override
    {
        shown.push_back(alert);
        if (whileOpen)
            whileOpen();
        return choice;
    }

    std::vector<Kestrow::Alert> shown;
    int choice = 0;
    std::function<void()> whileOpen;  // runs as if during the modal loop
};

}  // namespace KestrowTest
