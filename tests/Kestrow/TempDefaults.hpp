#pragma once

#include "Kestrow/Shell/Defaults.hpp"

#include <QTemporaryDir>

// A preference file of the test's own, deleted with the fixture.
struct TempDefaults {
    QTemporaryDir dir;
    QString path() const { return dir.path() + QStringLiteral("/Vantrel.conf"); }
    Kestrow::Defaults make() const { return Kestrow::Defaults::atPath(path()); }
};
