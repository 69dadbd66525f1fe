// Each secondary window exists at most once: showing it while it is open brings it forward;
// otherwise a fresh one is created, and it is destroyed when closed.
#pragma once

#include <QApplication>
#include <QWidget>
#include <functional>

#include "kit/context.h"

namespace dz
{

template <class W> W* OpenWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* open = qobject_cast<W*>(w); open && open->isVisible())
            return open;
    }
    return nullptr;
}

// `fill` runs on the window before it is shown, fresh or already open.
template <class W> W* ShowModeless(Context& ctx, const std::function<void(W&)>& fill = {})
{
    W* w = OpenWindow<W>();
    if (!w) {
        w = new W(ctx);
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (fill)
        fill(*w);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

} // namespace dz
