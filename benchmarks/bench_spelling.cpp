// Checking a remark of 2,000 characters with the machine's French dictionary
// (hunspell-fr), as the remarks box does at each paragraph it shows: the
// first time (every word asked of the dictionary) and again (answers kept).
// Run by hand: bench_spelling --benchmark_repetitions=9.

#include "data/SpellChecker.h"
#include "data/Spelling.h"

#include <benchmark/benchmark.h>

namespace {

QString Remark() {
    const QString sentence = QStringLiteral(
        "Léa fournit un travail régulier et soigné ; elle participe volontiers à l'oral, mais "
        "doit encore aprendre ses leçons avec plus de rigueur. Des progrès nets en lecture, "
        "peut-être moins en calcul où les erreurs d’inattention sont nombreuses. ");
    QString remark;
    while (remark.size() < 2000)
        remark += sentence;
    remark.truncate(2000);
    return remark;
}

TDictionaryFiles Dictionary(benchmark::State& state) {
    const TDictionaryFiles files = FindFrenchDictionary(DictionaryFolders(QString()));
    if (files.IsEmpty())
        state.SkipWithError("no French dictionary (hunspell-fr) on this machine");
    return files;
}

// Every word asked of the dictionary: the remark as first shown.
void BM_CheckRemarkFirstTime(benchmark::State& state) {
    const TDictionaryFiles files = Dictionary(state);
    if (files.IsEmpty())
        return;
    auto checker = TSpellChecker::Open(files);
    const QString remark = Remark();
    for (auto _ : state) {
        checker->ForgetAnswers();
        int wrong = 0;
        for (const TWordSpan& span : SpellWords(remark))
            wrong += checker->IsCorrect(remark.mid(span.Start, span.Length)) ? 0 : 1;
        benchmark::DoNotOptimize(wrong);
    }
}
BENCHMARK(BM_CheckRemarkFirstTime)->Unit(benchmark::kMillisecond);

// As the remarks box checks its paragraph again at each key typed.
void BM_CheckRemarkWhileTyping(benchmark::State& state) {
    const TDictionaryFiles files = Dictionary(state);
    if (files.IsEmpty())
        return;
    TSpelling spelling;
    spelling.Open(files, QString(), false);
    spelling.SetContextWords({QStringLiteral("Léa Martin"), QStringLiteral("Mathématiques")});
    const QString remark = Remark();
    spelling.Misspelt(remark);
    for (auto _ : state)
        benchmark::DoNotOptimize(spelling.Misspelt(remark));
}
BENCHMARK(BM_CheckRemarkWhileTyping)->Unit(benchmark::kMillisecond);

// Opening the dictionary, which the program does in a thread of its own.
void BM_OpenDictionary(benchmark::State& state) {
    const TDictionaryFiles files = Dictionary(state);
    if (files.IsEmpty())
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(TSpellChecker::Open(files));
}
BENCHMARK(BM_OpenDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
