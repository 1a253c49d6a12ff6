#include "platform/printer.h"
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace {

// The installed printers through Qt's print support. Without any installed
// printer the capabilities are those of Qt's PDF printer, so the program
// still has a page to work with.
class QtPrinters final : public Printers {
public:
    QStringList names() override { return QPrinterInfo::availablePrinterNames(); }

    int current_index() override
    {
        const QStringList list = names();
        if (list.isEmpty()) return -1;
        int index = chosen_.isEmpty() ? -1 : int(list.indexOf(chosen_));
        if (index < 0) index = int(list.indexOf(QPrinterInfo::defaultPrinterName()));
        return index < 0 ? 0 : index;
    }

    void set_current_index(int index) override
    {
        const QStringList list = names();
        if (index < 0 || index >= list.size() || list[index] == chosen_) return;
        chosen_ = list[index];
        printer_.reset();
    }

    PrinterCapabilities capabilities() override
    {
        QPrinter& p = printer();
        PrinterCapabilities c;
        c.dpi_x = p.logicalDpiX();
        c.dpi_y = p.logicalDpiY();
        const int dpi = p.resolution();
        const QRect paper = p.pageLayout().fullRectPixels(dpi);
        const QRect printable = p.pageLayout().paintRectPixels(dpi);
        c.physical_width = paper.width();
        c.physical_height = paper.height();
        c.printable_width = printable.width();
        c.printable_height = printable.height();
        c.offset_x = printable.left();
        c.offset_y = printable.top();
        return c;
    }

    bool setup() override
    {
        QPageSetupDialog dialog(&printer());
        return dialog.exec() == QDialog::Accepted;
    }

private:
    // Kept while the same printer is in use, so set-up choices last.
    QPrinter& printer()
    {
        const int index = current_index();
        const QString name = index < 0 ? QString() : names().value(index);
        if (!printer_ || printer_name_ != name) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            if (!name.isEmpty()) printer_->setPrinterName(name);
            printer_name_ = name;
        }
        return *printer_;
    }

    QString chosen_;
    QString printer_name_;
    std::unique_ptr<QPrinter> printer_;
};

Printers* fake_printers = nullptr;

} // namespace

Printers& printers()
{
    static QtPrinters real;
    return fake_printers ? *fake_printers : real;
}

namespace platform {
void replace_printers(Printers* fake)
{
    fake_printers = fake;
}

PrintDialogSeam& print_dialog_seam()
{
    static PrintDialogSeam seam([](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    });
    return seam;
}
}
