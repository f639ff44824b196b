// Small makers shared by the option windows: named controls with their hints, and the
// windows' common frame (fixed size, the program's font, no OK or Cancel).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include "ui/resources.h"
#include "ui/shell/program_font.h"

namespace kw::option_parts {

inline void SetUpWindow(QDialog* window, const char* name) {
  InitResources();  // the pictures and glyphs
  window->setObjectName(name);
  window->setModal(true);
  window->setFont(ProgramFont());
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
}

// Once every control is in place: the window keeps the size its layout asks for.
inline void FixSize(QDialog* window) {
  window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

template <class W>
W* Named(W* widget, const char* name, const char* hint = nullptr) {
  widget->setObjectName(name);
  if (hint) widget->setToolTip(hint);
  return widget;
}

inline QCheckBox* Check(QWidget* parent, const char* name, const char* caption, const char* hint) {
  return Named(new QCheckBox(caption, parent), name, hint);
}

inline QComboBox* List(QWidget* parent, const char* name, const char* hint) {
  auto* box = Named(new QComboBox(parent), name, hint);
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return box;
}

inline QGroupBox* Group(QWidget* parent, const char* name, const char* caption) {
  return Named(new QGroupBox(caption, parent), name);
}

inline QLabel* Label(QWidget* parent, const char* name, const char* caption) {
  return Named(new QLabel(caption, parent), name);
}

inline QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setAutoDefault(false);
  return button;
}

// A list "greyed" while disabled: the window colour behind it instead of the edit colour.
inline void EnableGreyed(QWidget* widget, bool enabled) {
  widget->setEnabled(enabled);
}

}  // namespace kw::option_parts
