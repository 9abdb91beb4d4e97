// Draws the front-panel picture of the main window (839 x 570 pixels) and
// saves it as JPEG: the program's name, a map of the human mitochondrial
// genome with its control region marked, and a short stretch of an alignment
// against the reference in the editor's colours.
//
//   build/app/sequara_draw_front_panel app/resources/FrontPanel.jpg
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 839;
constexpr int kHeight = 570;
constexpr double kGenomeLength = 16569.0;

// Angle in Qt's degrees (counter-clockwise from 3 o'clock) of a genome
// position, with position 1 at 12 o'clock and the positions running clockwise.
double angleOf(double position) { return 90.0 - (position - 1.0) / kGenomeLength * 360.0; }

void drawArc(QPainter& p, const QRectF& box, double from, double to, const QColor& color, double width) {
    QPen pen(color, width, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    double start = angleOf(from);
    double span = -(to - from) / kGenomeLength * 360.0;
    p.drawArc(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
}

QPointF onCircle(QPointF centre, double radius, double position) {
    const double a = angleOf(position) * M_PI / 180.0;
    return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

void drawGenomeMap(QPainter& p, QPointF centre) {
    const double r = 150;
    const QRectF ring(centre.x() - r, centre.y() - r, 2 * r, 2 * r);

    // Soft glow behind the map.
    QRadialGradient glow(centre, r + 60);
    glow.setColorAt(0, QColor(120, 190, 230, 70));
    glow.setColorAt(1, QColor(120, 190, 230, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, r + 60, r + 60);
    p.setBrush(Qt::NoBrush);

    drawArc(p, ring, 1, kGenomeLength + 1, QColor(255, 255, 255, 40), 22);

    struct Gene { double from, to; QColor color; };
    const QColor rrna(88, 196, 190), complexI(96, 150, 230), cox(128, 206, 120), atp(182, 132, 220),
        cytb(240, 160, 90);
    const Gene genes[] = {
        {648, 1601, rrna},        {1671, 3229, rrna},       {3307, 4262, complexI}, {4470, 5511, complexI},
        {5904, 7445, cox},        {7586, 8269, cox},        {8366, 9207, atp},      {9207, 9990, cox},
        {10059, 10404, complexI}, {10470, 12137, complexI}, {12337, 14148, complexI},
        {14149, 14673, complexI}, {14747, 15887, cytb},
    };
    for (const auto& g : genes) drawArc(p, ring, g.from + 25, g.to - 25, g.color, 18);

    // The control region, 16024 to 576 across the origin.
    const QColor amber(255, 204, 92);
    drawArc(p, ring, 16024, kGenomeLength + 1, amber, 26);
    drawArc(p, ring, 1, 577, amber, 26);

    // Ticks every 1000 bases inside the ring.
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.2));
    for (int pos = 1; pos < 16569; pos += 1000) {
        p.drawLine(onCircle(centre, r - 18, pos), onCircle(centre, r - (pos == 1 ? 30 : 24), pos));
    }

    // Hypervariable segments on the outside of the control region.
    QFont small("DejaVu Sans");
    small.setPixelSize(12);
    small.setBold(true);
    p.setFont(small);
    p.setPen(QColor(255, 224, 150));
    auto label = [&](double pos, const QString& text, double dx) {
        QPointF at = onCircle(centre, r + 30, pos);
        p.drawText(QRectF(at.x() - 40 + dx, at.y() - 9, 80, 18), Qt::AlignCenter, text);
    };
    label(16200, "HVS-I", -14);
    label(250, "HVS-II", 16);

    // The centre.
    QFont big("DejaVu Sans");
    big.setPixelSize(26);
    big.setBold(true);
    p.setFont(big);
    p.setPen(QColor(235, 243, 250));
    p.drawText(QRectF(centre.x() - 90, centre.y() - 30, 180, 32), Qt::AlignCenter, "mtDNA");
    QFont note("DejaVu Sans");
    note.setPixelSize(14);
    p.setFont(note);
    p.setPen(QColor(170, 198, 220));
    p.drawText(QRectF(centre.x() - 90, centre.y() + 4, 180, 22), Qt::AlignCenter, "16,569 bp");
}

void drawAlignment(QPainter& p, QPointF origin) {
    // rCRS 16209-16248 and four sequences with the substitutions 16223T,
    // 16234T and 16242T and a deletion at 16229, coloured as the editor
    // colours matches and mismatches.
    const char* rows[] = {
        "TACAGCAATCAACCCTCAACTATCACACATCAACTGCAAC",
        "TACAGCAATCAACCTTCAACTATCACACATCAACTGCAAC",
        "TACAGCAATCAACCTTCAACTATCATACATCAACTGCAAC",
        "TACAGCAATCAACCCTCAACTATCACACATCAATTGCAAC",
        "TACAGCAATCAACCCTCAAC-ATCACACATCAACTGCAAC",
    };
    const int columns = 40;
    const double cw = 14, ch = 17;
    const QColor reference(255, 235, 180), match(255, 255, 255), mismatch(255, 150, 120);

    QFont mono("DejaVu Sans Mono");
    mono.setPixelSize(12);
    mono.setBold(true);
    p.setFont(mono);

    // Panel behind the grid.
    const QRectF frame(origin.x() - 8, origin.y() - 30, columns * cw + 16, 5 * ch + 40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 25, 45, 150));
    p.drawRoundedRect(frame, 6, 6);

    // Position labels every ten columns.
    QFont tiny("DejaVu Sans");
    tiny.setPixelSize(10);
    p.setFont(tiny);
    p.setPen(QColor(170, 198, 220));
    for (int c = 0; c < columns; c += 10)
        p.drawText(QPointF(origin.x() + c * cw + 1, origin.y() - 10), QString::number(16209 + c));
    p.setFont(mono);

    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < columns; ++c) {
            const char ch0 = rows[0][c];
            const char chr = rows[r][c];
            QColor fill = r == 0 ? reference : (chr == ch0 ? match : mismatch);
            QRectF cell(origin.x() + c * cw, origin.y() + r * ch, cw - 1, ch - 1);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRect(cell);
            p.setPen(QColor(30, 30, 30));
            p.drawText(cell, Qt::AlignCenter, QString(QChar(chr)));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.jpg\n", argv[0]);
        return 2;
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, kWidth * 0.35, kHeight);
    sky.setColorAt(0, QColor(16, 38, 66));
    sky.setColorAt(0.6, QColor(24, 66, 96));
    sky.setColorAt(1, QColor(30, 92, 118));
    p.fillRect(image.rect(), sky);

    // Faint double-helix ribbon across the picture.
    for (int strand = 0; strand < 2; ++strand) {
        QPainterPath path;
        for (int x = 0; x <= kWidth; x += 4) {
            double y = 520 + 18 * std::sin(x / 46.0 + strand * M_PI);
            if (x == 0) path.moveTo(x, y);
            else path.lineTo(x, y);
        }
        p.setPen(QPen(QColor(150, 210, 235, 45), 2));
        p.drawPath(path);
    }
    p.setPen(QPen(QColor(150, 210, 235, 28), 1.5));
    for (int x = 10; x < kWidth; x += 23) {
        double y1 = 520 + 18 * std::sin(x / 46.0), y2 = 520 + 18 * std::sin(x / 46.0 + M_PI);
        p.drawLine(QPointF(x, y1), QPointF(x, y2));
    }

    drawGenomeMap(p, QPointF(628, 212));

    // Name and purpose.
    QFont title("DejaVu Sans");
    title.setPixelSize(70);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(title);
    p.setPen(QColor(245, 248, 252));
    p.drawText(QPointF(44, 128), "Sequara");
    p.setPen(QPen(QColor(255, 204, 92), 3));
    p.drawLine(QPointF(48, 150), QPointF(160, 150));
    QFont subtitle("DejaVu Sans");
    subtitle.setPixelSize(18);
    p.setFont(subtitle);
    p.setPen(QColor(200, 220, 236));
    p.drawText(QPointF(48, 182), "Alignment and hand correction");
    p.drawText(QPointF(48, 206), "of mitochondrial DNA sequences");
    QFont detail("DejaVu Sans");
    detail.setPixelSize(13);
    p.setFont(detail);
    p.setPen(QColor(150, 180, 205));
    p.drawText(QPointF(48, 240), "Control region  \u00b7  HVS-I  \u00b7  HVS-II  \u00b7  protein sequences");

    drawAlignment(p, QPointF(48, 398));

    p.setFont(detail);
    p.setPen(QColor(140, 170, 195));
    p.drawText(QPointF(48, 548), "Reference: revised Cambridge Reference Sequence (rCRS, NC_012920.1)");
    p.end();

    if (!image.save(QString::fromLocal8Bit(argv[1]), "JPG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
