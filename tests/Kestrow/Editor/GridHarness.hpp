#pragma once

#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Editor/GridTableView.hpp"

#include "KestrowEditor/EditorDocument.hpp"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <memory>

// A shown, active window holding one grid over a document, with helpers to click slots.
struct GridHarness {
    explicit GridHarness(VozudOzev::Table table, Kestrow::SourceImage source = {},
                         const Kestrow::Palette& palette = Kestrow::Palette::light(), QSize size = {720, 420})
        : doc(std::make_unique<KestrowEditor::EditorDocument>(std::move(table))),
          window(std::make_unique<QWidget>())
    {
        grid = new Kestrow::GridContainer(doc.get(), std::move(source), window.get());
        grid->setInputs(doc.get(), 0.8, palette);
        window->resize(size);
        grid->resize(size);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        view()->setFocus();
        QApplication::processEvents();
    }

    Kestrow::GridTableView* view() const { return grid->tableView(); }
    QWidget* viewport() const { return view()->viewport(); }

    // The middle of a view row and column (column 0 is the gutter), in viewport coordinates.
    QPoint at(int row, int viewColumn) const
    {
        return view()->visualRect(view()->model()->index(row, viewColumn)).center();
    }

    void click(int row, int viewColumn, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, mods, at(row, viewColumn));
    }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    }

    void key(int key, Qt::KeyboardModifiers mods = {}, QWidget* target = nullptr)
    {
        QTest::keyClick(target ? target : QApplication::focusWidget(), Qt::Key(key), mods);
    }

    std::unique_ptr<KestrowEditor::EditorDocument> doc;
    std::unique_ptr<QWidget> window;
    Kestrow::GridContainer* grid = nullptr;
};
