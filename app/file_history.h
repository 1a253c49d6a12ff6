#pragma once
// The File menu's list of drawing files last opened or saved, newest first,
// kept in the registry value filehistory_list. Its items sit after a
// separator of their own, before the menu's closing separator and Exit.
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class RegistryKey;

class FileHistory : public QObject {
    Q_OBJECT
public:
    // Takes the menu as built: the items go before its last two entries.
    FileHistory(QMenu& menu, QObject* parent);

    const QStringList& paths() const { return paths_; }
    // The position of the history's separator in the menu.
    int base() const { return base_; }

    void add(const QString& path);
    void remove(const QString& path);
    void save() const;
    void load(RegistryKey& key);
    // The captions as the menu shows them, numbered and shortened.
    void update_captions();

signals:
    // An item of the menu was chosen.
    void chosen(const QString& path);

private:
    void choose(QAction* item);

    QMenu& menu_;
    int base_ = 0;
    QStringList paths_;
};
