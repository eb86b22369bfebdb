#pragma once
// Builds a page's controls from its layout table: the toolkit's widget for each kind, named,
// placed, captioned in both languages through the page's CaptionBook and in its first state.
#include "app/captions.h"
#include "core/form_layout.h"

#include <QWidget>

// Creates every control of `layout` inside `page` (radio items of one group box also get a
// QButtonGroup called "<box>Group", ids in table order), then ties labels to the controls
// they name. A row named like the page is the page itself: it is placed, not made.
void buildForm(QWidget* page, const tavrix::FormLayout& layout, CaptionBook& book);

// The control of that name that buildForm made; a missing one is a programming error.
template <typename Widget>
void bindControl(const QObject* page, Widget*& member, const char* name) {
    member = page->findChild<Widget*>(QString::fromLatin1(name));
    Q_ASSERT_X(member != nullptr, "bindControl", name);
}

// Binds a member to the control named like it.
#define TAVRIX_BIND(member) bindControl(this, member, #member)
