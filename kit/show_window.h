// Each secondary window exists at most once: showing it while it is open brings it
// forward; otherwise a fresh one is created, and it is destroyed when closed.
#pragma once

#include <QApplication>
#include <QWidget>
#include <concepts>
#include <utility>

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
template <class W, class Fill>
requires std::invocable<Fill&, W&> W* ShowModeless(Fill&& fill, auto&&... args)
{
    W* w = OpenWindow<W>();
    if (!w) {
        w = new W(std::forward<decltype(args)>(args)...);
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    fill(*w);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

template <class W, class... Args>
requires std::constructible_from<W, Args...> W* ShowModeless(Args&&... args)
{
    return ShowModeless<W>([](W&) {}, std::forward<Args>(args)...);
}

} // namespace dz
