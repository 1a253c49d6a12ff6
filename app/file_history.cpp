#include "app/file_history.h"
#include "core/configuration.h"
#include "core/shorten_caption.h"
#include "platform/guard.h"
#include "platform/registry.h"
#include <QAction>
#include <QMenu>

namespace {
const QString history_value = QStringLiteral("filehistory_list");
}

FileHistory::FileHistory(QMenu& menu, QObject* parent)
    : QObject(parent), menu_(menu), base_(static_cast<int>(menu.actions().size()) - 2)
{
    connect(&menu_, &QMenu::aboutToShow, this, [this] { run_guarded([&] { update_captions(); }); });
}

void FileHistory::add(const QString& path)
{
    if (Configuration.filehistory <= 0) return;
    if (paths_.isEmpty()) {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        menu_.insertAction(menu_.actions().value(base_), separator);
    }
    while (paths_.size() >= Configuration.filehistory) {
        QAction* last = menu_.actions().value(base_ + static_cast<int>(paths_.size()));
        paths_.removeLast();
        menu_.removeAction(last);
        last->deleteLater();
    }
    auto* item = new QAction(shorten_caption(path, 40, 0), this);
    item->setStatusTip(path);
    connect(item, &QAction::triggered, this, [this, item] { run_guarded([&] { choose(item); }); });
    menu_.insertAction(menu_.actions().value(base_ + 1), item);
    paths_.prepend(path);
}

void FileHistory::remove(const QString& path)
{
    const qsizetype at = paths_.indexOf(path);
    if (at < 0) return;
    QAction* item = menu_.actions().value(base_ + 1 + static_cast<int>(at));
    paths_.removeAt(at);
    menu_.removeAction(item);
    item->deleteLater();
    if (paths_.isEmpty()) {
        QAction* separator = menu_.actions().value(base_);
        menu_.removeAction(separator);
        separator->deleteLater();
    }
}

void FileHistory::save() const
{
    QString text;
    for (qsizetype i = paths_.size() - 1; i >= 0; --i) text += paths_[i] + QLatin1Char(',');
    RegistryKey key(QString::fromLatin1(configuration_key_path), true);
    key.write_string(history_value, text);
}

void FileHistory::load(RegistryKey& key)
{
    QString text = key.read_string(history_value);
    while (!text.isEmpty()) {
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        if (comma < 0) {
            key.write_string(history_value, QString());
            return;
        }
        // An empty piece names no file.
        if (comma > 0) add(text.left(comma));
        text = text.mid(comma + 1);
    }
}

void FileHistory::update_captions()
{
    const QList<QAction*> items = menu_.actions();
    for (qsizetype i = 0; i < paths_.size(); ++i)
        if (QAction* item = items.value(base_ + 1 + static_cast<int>(i)))
            item->setText(shorten_caption(paths_[i], 40, static_cast<int>(i)));
}

void FileHistory::choose(QAction* item)
{
    const int i = static_cast<int>(menu_.actions().indexOf(item)) - base_ - 1;
    if (i < 0 || i >= paths_.size()) return;
    emit chosen(paths_[i]);
}
