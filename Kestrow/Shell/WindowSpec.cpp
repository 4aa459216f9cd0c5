#include "Kestrow/Shell/WindowSpec.hpp"

#include <QCoreApplication>

namespace Kestrow {

WindowSpec WindowSpec::of(WindowKind kind)
{
    using R = WindowSpec::Reuse;
    switch (kind) {
    case WindowKind::result:
        return {"", {900, 600}, {640, 420}, std::nullopt, "ResultWindow", R::newEachTime};
    case WindowKind::settings:
        return {QT_TRANSLATE_NOOP("Windows", "Settings"), {620, 580}, {620, 580}, std::nullopt, "SettingsWindow", R::single};
    case WindowKind::onboarding:
        return {QT_TRANSLATE_NOOP("Windows", "Welcome"), {520, 460}, {520, 460}, QSize(520, 460), nullptr, R::single};
    case WindowKind::history:
        return {QT_TRANSLATE_NOOP("Windows", "History"), {640, 480}, {480, 320}, std::nullopt, nullptr, R::single};
    case WindowKind::help:
        return {QT_TRANSLATE_NOOP("Windows", "Vantrel Help"), {720, 500}, {600, 400}, std::nullopt, nullptr, R::replaced};
    case WindowKind::about:
        return {QT_TRANSLATE_NOOP("Windows", "About Vantrel"), {380, 330}, {380, 330}, QSize(380, 330), nullptr, R::single};
    case WindowKind::feedback:
        return {QT_TRANSLATE_NOOP("Windows", "Send Feedback"), {520, 620}, {460, 480}, std::nullopt, nullptr, R::newEachTime};
    case WindowKind::sample:
        return {QT_TRANSLATE_NOOP("Windows", "Sample Table"), {820, 540}, {640, 420}, std::nullopt, nullptr, R::single};
    case WindowKind::columnMapping:
        return {QT_TRANSLATE_NOOP("Windows", "Match Columns"), {520, 420}, {520, 420}, QSize(520, 420), nullptr, R::newEachTime};
    }
    return {};
}

}  // namespace Kestrow
