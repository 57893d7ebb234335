#include "data/RtfText.h"

#include "data/Cp1252.h"

#include <QSet>

#include <vector>

namespace {

// Destinations whose content is not part of the document's text.
bool IsSkippedDestination(QByteArrayView word) {
    static const QSet<QByteArray> skipped = {"fonttbl",
                                             "colortbl",
                                             "stylesheet",
                                             "info",
                                             "pict",
                                             "object",
                                             "header",
                                             "headerl",
                                             "headerr",
                                             "headerf",
                                             "footer",
                                             "footerl",
                                             "footerr",
                                             "footerf",
                                             "footnote",
                                             "filetbl",
                                             "listtable",
                                             "listoverridetable",
                                             "rsidtbl",
                                             "generator",
                                             "xmlnstbl",
                                             "themedata",
                                             "colorschememapping",
                                             "datastore",
                                             "latentstyles",
                                             "revtbl",
                                             "fldinst",
                                             "pgdsctbl",
                                             "userprops",
                                             "nonshppict",
                                             "shpinst",
                                             "mmathPr",
                                             "operator",
                                             "author",
                                             "title"};
    return skipped.contains(word.toByteArray());
}

struct TGroupState {
    bool Skip = false;
    int UnicodeFallback = 1; // characters to skip after "\uN"
};

class TRtfParser {
public:
    explicit TRtfParser(QByteArrayView bytes)
        : FBytes(bytes) {}

    std::optional<QString> Run() {
        std::vector<TGroupState> stack;
        TGroupState state;
        bool groupStart = false; // the next control word is a group's first
        qsizetype i = 0;
        while (i < FBytes.size()) {
            const char c = FBytes[i];
            if (c == '{') {
                stack.push_back(state);
                groupStart = true;
                ++i;
                continue;
            }
            if (c == '}') {
                if (stack.empty())
                    return std::nullopt;
                state = stack.back();
                stack.pop_back();
                FPendingSkip = 0;
                groupStart = false;
                ++i;
                continue;
            }
            if (c == '\\') {
                i = ControlAt(i + 1, state, groupStart);
                groupStart = false;
                continue;
            }
            groupStart = false;
            ++i;
            // Raw line ends only lay the source out.
            if (c == '\r' || c == '\n')
                continue;
            Emit(state, Cp1252::ToUnicode(c));
        }
        return FText;
    }

private:
    void Emit(const TGroupState& state, QChar c) {
        if (FPendingSkip > 0) {
            --FPendingSkip;
            return;
        }
        if (!state.Skip && c != QChar(u'\0'))
            FText += c;
    }

    void EmitText(const TGroupState& state, QStringView text) {
        if (FPendingSkip > 0) {
            --FPendingSkip;
            return;
        }
        if (!state.Skip)
            FText += text;
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static int HexValue(char c) {
        if (IsDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // Reads the control word or symbol after a backslash; returns the
    // position after it.
    qsizetype ControlAt(qsizetype i, TGroupState& state, bool groupStart) {
        if (i >= FBytes.size())
            return i;
        const char c = FBytes[i];
        if (!IsLetter(c))
            return ControlSymbol(i, state);

        const qsizetype start = i;
        while (i < FBytes.size() && IsLetter(FBytes[i]) && i - start < 32)
            ++i;
        const QByteArrayView word = FBytes.sliced(start, i - start);
        bool hasParameter = false;
        bool negative = false;
        long long parameter = 0;
        if (i < FBytes.size() && FBytes[i] == '-') {
            negative = true;
            ++i;
        }
        while (i < FBytes.size() && IsDigit(FBytes[i])) {
            hasParameter = true;
            if (parameter < 1'000'000'000)
                parameter = parameter * 10 + (FBytes[i] - '0');
            ++i;
        }
        if (negative)
            parameter = -parameter;
        if (i < FBytes.size() && FBytes[i] == ' ')
            ++i;
        Word(word, hasParameter, parameter, state, groupStart);
        if (word == "bin" && hasParameter && parameter > 0)
            i = qMin(FBytes.size(), i + qsizetype(parameter));
        return i;
    }

    qsizetype ControlSymbol(qsizetype i, TGroupState& state) {
        const char c = FBytes[i];
        switch (c) {
        case '\'': {
            if (i + 2 < FBytes.size() && HexValue(FBytes[i + 1]) >= 0 &&
                HexValue(FBytes[i + 2]) >= 0) {
                const int byte = HexValue(FBytes[i + 1]) * 16 + HexValue(FBytes[i + 2]);
                Emit(state, Cp1252::ToUnicode(char(byte)));
                return i + 3;
            }
            return i + 1;
        }
        case '*':
            state.Skip = true;
            return i + 1;
        case '~':
            Emit(state, QChar(0x00A0));
            return i + 1;
        case '_':
            Emit(state, u'-');
            return i + 1;
        case '\r':
        case '\n':
            Emit(state, u'\n');
            return i + 1;
        case '\\':
        case '{':
        case '}':
            Emit(state, QLatin1Char(c));
            return i + 1;
        default: // "\-" (optional hyphen), "\|", "\:" and unknown symbols
            return i + 1;
        }
    }

    void Word(QByteArrayView word, bool hasParameter, long long parameter, TGroupState& state,
              bool groupStart) {
        if (groupStart && IsSkippedDestination(word)) {
            state.Skip = true;
            return;
        }
        if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row")
            EmitText(state, u"\n");
        else if (word == "tab" || word == "cell")
            EmitText(state, u"\t");
        else if (word == "emdash")
            EmitText(state, u"\u2014");
        else if (word == "endash")
            EmitText(state, u"\u2013");
        else if (word == "lquote")
            EmitText(state, u"\u2018");
        else if (word == "rquote")
            EmitText(state, u"\u2019");
        else if (word == "ldblquote")
            EmitText(state, u"\u201C");
        else if (word == "rdblquote")
            EmitText(state, u"\u201D");
        else if (word == "bullet")
            EmitText(state, u"\u2022");
        else if (word == "uc" && hasParameter)
            state.UnicodeFallback = int(qBound(0LL, parameter, 16LL));
        else if (word == "u" && hasParameter) {
            const char16_t unit = char16_t(parameter < 0 ? parameter + 65536 : parameter);
            FPendingSkip = 0;
            Emit(state, QChar(unit));
            FPendingSkip = state.UnicodeFallback;
        } else if (FPendingSkip > 0) {
            // A control word stands for one fallback character.
            --FPendingSkip;
        }
    }

    QByteArrayView FBytes;
    QString FText;
    int FPendingSkip = 0;
};

} // namespace

bool IsRtf(QByteArrayView bytes) {
    return bytes.startsWith("{\\rtf");
}

std::optional<QString> RtfToText(QByteArrayView bytes) {
    return TRtfParser(bytes).Run();
}
