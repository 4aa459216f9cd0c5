#pragma once

#include "Kestrow/Feedback/FeedbackContext.hpp"
#include "Kestrow/Feedback/FeedbackSystemInfo.hpp"

#include <QImage>

// What the feedback tests hand in: a small picture, a two-column table, fixed details.
namespace FeedbackFixtures {

inline QImage picture()
{
    QImage image(320, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); y += 30)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(90, 90, 90));
    return image;
}

inline VozudOzev::Table table(int rows = 3)
{
    VozudOzev::Table t;
    t.rows = rows;
    t.cols = 2;
    for (int r = 0; r < rows; ++r) {
        t.cells.push_back({r, 0, 1, 1, r == 0 ? "Region" : "North " + std::to_string(r)});
        t.cells.push_back({r, 1, 1, 1, r == 0 ? "Sales" : std::to_string(1200 + r * 17)});
    }
    return t;
}

inline Kestrow::FeedbackContext full()
{
    Kestrow::FeedbackContext context;
    context.image = picture();
    context.table = table();
    return context;
}

inline const Kestrow::FeedbackSystemInfo info{"0.1.0 (0)", "Web (direct)",
                                              "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64",
                                              "Intel(R) Xeon(R) CPU @ 2.20GHz"};

}  // namespace FeedbackFixtures
