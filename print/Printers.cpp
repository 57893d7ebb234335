#include "print/Printers.h"

#include <QPrinterInfo>

TPrinters TPrinters::FromSystem() {
    TPrinters printers;
    printers.Installed = [] {
        return QPrinterInfo::availablePrinterNames();
    };
    printers.Default = [] {
        return QPrinterInfo::defaultPrinterName();
    };
    return printers;
}
