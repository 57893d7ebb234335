// How long the spreadsheet paths take. In: a list of 500 pupils read, its
// columns recognised, the preview built and one column choice changed (each
// change redraws the preview), the plan taken. Out: a class of 40 pupils and
// 200 subject lines exported to each format, the table built included.

#include "app/PupilImportDlg.h"
#include "benchmarks/WorkspaceGenerator.h"
#include "data/HeapTuning.h"
#include "data/PupilList.h"
#include "spreadsheet/ResultWriters.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

// A list as an administration export gives it: a title, headers that need
// recognising, usage names, two-digit years and sex codes.
QByteArray PupilList(int count) {
    QString text = QStringLiteral("Liste des élèves\r\nNom de famille;Nom d'usage;Prénom 1;"
                                  "Date naiss.;Sexe (M/F);Classe\r\n");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("NOM%1;%2;PRÉNOM-ÉLÈVE%1;%3/09/16;%4;CM1\r\n")
                    .arg(i)
                    .arg(i % 3 ? QString() : QStringLiteral("USAGE%1").arg(i))
                    .arg(1 + i % 28)
                    .arg(i % 2 ? QStringLiteral("2") : QStringLiteral("1"));
    return text.toUtf8();
}

const TPupilValueFormat& French() {
    static const TPupilValueFormat format{
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France)), 2026};
    return format;
}

void BM_Import500PupilsWithMapping(benchmark::State& state) {
    const QByteArray bytes = PupilList(500);
    TClassNode schoolClass;
    schoolClass.Text = QStringLiteral("CM1");
    schoolClass.Data = std::make_unique<TPData>(TDataType::dtClass);
    for (auto _ : state) {
        const TPupilTable table = ReadPupilTable(bytes);
        TPupilImportDlg dialog(schoolClass.Text, schoolClass, table,
                               RecognisePupilColumns(table.Headers), French());
        dialog.findChild<QComboBox*>(QStringLiteral("SexeColumnCombo"))->setCurrentIndex(0);
        benchmark::DoNotOptimize(dialog.Plan().Added.size());
    }
}
BENCHMARK(BM_Import500PupilsWithMapping)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadAndPlan500Pupils(benchmark::State& state) {
    const QByteArray bytes = PupilList(500);
    TClassNode schoolClass;
    for (auto _ : state) {
        const TPupilTable table = ReadPupilTable(bytes);
        const TPupilList list = PupilListOf(table, RecognisePupilColumns(table.Headers), French());
        benchmark::DoNotOptimize(PlanPupilImport(schoolClass, list, 2026).Added.size());
    }
}
BENCHMARK(BM_ReadAndPlan500Pupils)->Unit(benchmark::kMillisecond)->UseRealTime();

void Export(benchmark::State& state, TResultFormat format) {
    TWorkspaceGenerator generator;
    const std::unique_ptr<TClassNode> schoolClass =
        generator.NewClass(QStringLiteral("CM1"), 200, 40);
    const QStringList captions = {QStringLiteral("acquis"), QStringLiteral("en cours"),
                                  QStringLiteral("pas encore"), QString()};
    std::size_t size = 0;
    for (auto _ : state) {
        const TResultTable table = BuildResultTable(*schoolClass, captions);
        TResultBytes bytes = format == TResultFormat::Ods ? ResultsOds(table)
                             : format == TResultFormat::Xlsx
                                 ? ResultsXlsx(table)
                                 : TResultBytes(ResultsCsv(table, u','));
        size = std::get<QByteArray>(bytes).size();
    }
    state.counters["bytes"] = double(size);
}

void BM_ExportOds40x200(benchmark::State& state) {
    Export(state, TResultFormat::Ods);
}
void BM_ExportXlsx40x200(benchmark::State& state) {
    Export(state, TResultFormat::Xlsx);
}
void BM_ExportCsv40x200(benchmark::State& state) {
    Export(state, TResultFormat::Csv);
}
BENCHMARK(BM_ExportOds40x200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportXlsx40x200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportCsv40x200)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    TuneHeapForWorkspaces();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
