#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

class QPainter;
class QPicture;

// Replays a page recorded on a paper of the given size (in page units) so
// that the whole paper covers the target rectangle of the painter's device.
// QPainter::drawPicture scales by the device's resolution over the
// picture's; that factor is taken out, so the page comes out the same size
// on a screen, a 1200-dpi printer or a PDF.
void ReplayPage(QPainter& painter, const QPicture& page, QSize paper, const QRect& target);

// The paper in tenths of a millimetre as a page size: a standard one when it
// is exactly one, otherwise a user-defined size of exactly those measures.
QPageSize PaperPageSize(int widthTenths, int heightTenths);

// A PDF of the pages, one PDF page of the paper's exact size each, drawn as
// vectors with selectable text; nothing when the PDF cannot be written.
std::optional<QByteArray> PagesToPdf(const std::vector<const QPicture*>& pages, QSize paperTenths,
                                     const QString& title);
