// The secondary windows of the program, one row each: the menu item that
// opens it, its tool button, whether the picture writes its caption, and how
// it is created and opened. The main window takes its window openers, their
// tool buttons, their enabled states and the windows whose captions the
// picture sets from these rows; the application creates the windows from
// them in row order, which is the start order. A row without a factory is a
// window not built yet: its menu item and tool button are present and
// disabled.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "main/ToolIcons.h"
#include "main/core/Panel.h"
#include "main/core/Renderer.h"

class QDialog;
class QWidget;

namespace tevrane {

class Clock;
class MainController;
class MessageSink;
class SoundPlayer;

// What a window is given when it is created.
class WindowRegistry;

struct WindowContext {
    Model& model;
    MainController& controller;
    MessageSink& messages;
    QWidget* parent;  // the main window
    const WindowRegistry* registry = nullptr;  // to find the other windows later
    SoundPlayer* sound = nullptr;  // the system beep of a window's refusals; null: silent
    Clock* clock = nullptr;  // the program's date and time; null: the system's
};

// A button of the main window's tool bar.
struct ToolButton {
    ToolIcon icon;
    const char* hint;
};

struct WindowRow {
    const char* name;                      // the window's class
    std::optional<Item> item;              // the menu item that opens it, if any
    std::optional<ToolButton> tool;        // its tool button, if any
    std::optional<CaptionWindow> caption;  // the caption the picture rewrites, if any
    QDialog* (*create)(const WindowContext&) = nullptr;  // null: not built yet
    void (*beforeOpen)(MainController&) = nullptr;        // runs before it shows
};

// The rows and the windows created from them.
class WindowRegistry {
public:
    explicit WindowRegistry(std::span<const WindowRow> rows) : rows_(rows), windows_(rows.size()) {}

    // Creates every window that has a factory, in row order.
    void createAll(const WindowContext& context) {
        for (std::size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].create) windows_[i] = rows_[i].create(context);
    }

    std::span<const WindowRow> rows() const { return rows_; }

    // The window of a row of this registry; null until created or if not built.
    QDialog* window(const WindowRow& row) const {
        return windows_[static_cast<std::size_t>(&row - rows_.data())];
    }
    // The window of the row named after its class; null as above.
    QDialog* window(std::string_view name) const {
        for (const WindowRow& row : rows_)
            if (name == row.name) return window(row);
        return nullptr;
    }
    QDialog* window(CaptionWindow w) const {
        for (const WindowRow& row : rows_)
            if (row.caption == w) return window(row);
        return nullptr;
    }

private:
    std::span<const WindowRow> rows_;
    std::vector<QDialog*> windows_;
};

}  // namespace tevrane
