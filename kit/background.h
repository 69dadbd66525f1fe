// Work that may wait on the disk (a lock held by another copy of the game, a slow
// folder) runs off the interface thread: windows keep painting meanwhile, and input
// waits until the work is done.
#pragma once

#include <QEventLoop>
#include <optional>
#include <thread>
#include <type_traits>

namespace dz
{

template <class Work> std::invoke_result_t<Work&> AwayFromInterface(Work&& work)
{
    std::optional<std::invoke_result_t<Work&>> result;
    QEventLoop loop;
    std::thread worker([&] {
        result.emplace(work());
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return std::move(*result);
}

} // namespace dz
