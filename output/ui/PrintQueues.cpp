#include "output/ui/PrintQueues.h"

#include "output/PrintResolution.h"

#include <QPrinterInfo>
#include <cmath>
#include <cups/cups.h>

namespace {

constexpr double CentimetresPerInch = 2.54;

int DotsPerInch(ipp_attribute_t* attribute, int index) {
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attribute, index, &y, &units);
    return units == IPP_RES_PER_CM ? static_cast<int>(std::lround(x * CentimetresPerInch)) : x;
}

} // namespace

QStringList PrintQueueNames() {
    return QPrinterInfo::availablePrinterNames();
}

QueueResolutions ResolutionsOfQueue(const QString& queue) {
    QueueResolutions result;
    // Qt names a queue's instance as "queue/instance".
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (dest == nullptr)
        return result;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t* supported =
                cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution"))
            for (int i = 0; i < ippGetCount(supported); ++i)
                result.Accepted.push_back(DotsPerInch(supported, i));
        if (ipp_attribute_t* preset =
                cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution"))
            result.Default = DotsPerInch(preset, 0);
        cupsFreeDestInfo(info);
    }
    for (const char* option : {"printer-resolution", "Resolution"})
        if (const char* value = cupsGetOption(option, dest->num_options, dest->options))
            result.Default = ParseResolution(QString::fromLatin1(value)).value_or(result.Default);
    cupsFreeDests(1, dest);
    return result;
}
