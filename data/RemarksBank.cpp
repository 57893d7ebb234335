#include "data/RemarksBank.h"

#include "data/Utf8Text.h"

#include <QFile>

namespace {

const QString kDefaultTheme = QStringLiteral("Divers");

bool IsControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

// Control characters (tabs included) and line breaks become a blank; the
// no-break blanks of French typography stay.
QString CleanLine(QStringView text, bool* hadControl = nullptr) {
    QString line;
    line.reserve(text.size());
    for (QChar c : text) {
        if (IsControl(c) && c != u'\t' && hadControl)
            *hadControl = true;
        const bool lineBreak =
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph;
        line += (IsControl(c) || lineBreak) ? QChar(u' ') : c;
    }
    return line.trimmed();
}

// "[name]" with no other bracket inside: the name, else nothing.
std::optional<QStringView> ThemeOf(QStringView line) {
    if (line.size() < 2 || line.front() != u'[' || line.back() != u']')
        return std::nullopt;
    const QStringView inside = line.sliced(1, line.size() - 2);
    if (inside.contains(u'[') || inside.contains(u']'))
        return std::nullopt;
    return inside;
}

TRemarkTheme& ThemeNamed(TRemarksBank& bank, const QString& name) {
    for (TRemarkTheme& theme : bank.Themes) {
        if (theme.Name == name)
            return theme;
    }
    bank.Themes.push_back({name, {}});
    return bank.Themes.back();
}

} // namespace

int TRemarksBank::RemarkCount() const {
    int count = 0;
    for (const TRemarkTheme& theme : Themes)
        count += int(theme.Remarks.size());
    return count;
}

QString BankRemarkText(QStringView text) {
    QString line = CleanLine(text);
    return ThemeOf(line) ? QString() : line;
}

QString BankThemeName(QStringView text) {
    QString name = CleanLine(text);
    name.remove(u'[').remove(u']');
    name = name.trimmed();
    return name.isEmpty() ? kDefaultTheme : name;
}

TBankRead ReadRemarksBank(QByteArrayView bytes) {
    TBankRead read;
    QStringList damage;
    if (bytes.size() > MaxRemarksBankBytes) {
        // Up to the last whole line within the bound.
        const QByteArrayView head = bytes.first(MaxRemarksBankBytes);
        const qsizetype end = std::max(head.lastIndexOf('\n'), head.lastIndexOf('\r'));
        bytes = bytes.first(end < 0 ? 0 : end + 1);
        damage << QStringLiteral("il dépasse %1 Mo").arg(MaxRemarksBankBytes >> 20);
    }
    const TDecodedText decoded = DecodeUtf8Text(bytes);
    if (!decoded.Utf8)
        damage << QStringLiteral("il n'est pas en UTF-8 (lu comme du Windows-1252)");

    bool hadControl = false;
    TRemarkTheme* current = nullptr;
    const QString& text = decoded.Text;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QString line = CleanLine(QStringView(text).sliced(start, end - start), &hadControl);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n')
            ++end;
        start = end + 1;
        if (line.isEmpty())
            continue;
        if (const auto theme = ThemeOf(line)) {
            current = &ThemeNamed(read.Bank, BankThemeName(*theme));
            continue;
        }
        if (!current)
            current = &ThemeNamed(read.Bank, kDefaultTheme);
        current->Remarks.append(line);
    }
    if (hadControl)
        damage << QStringLiteral("il contient des caractères de contrôle");
    read.Damage = damage.join(QStringLiteral(", "));
    return read;
}

QByteArray EncodeRemarksBank(const TRemarksBank& bank) {
    QByteArray bytes;
    for (const TRemarkTheme& theme : bank.Themes) {
        if (!bytes.isEmpty())
            bytes += '\n';
        bytes += '[' + BankThemeName(theme.Name).toUtf8() + "]\n";
        for (const QString& remark : theme.Remarks) {
            const QString line = BankRemarkText(remark);
            if (!line.isEmpty())
                bytes += line.toUtf8() + '\n';
        }
    }
    return bytes;
}

TRemarksBank BuiltInRemarksBank() {
    QFile file(QStringLiteral(":/data/appreciations.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadRemarksBank(file.readAll()).Bank;
}
