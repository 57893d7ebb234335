#pragma once

class TPageRecorder;
class TPData;
class TSheetCanvas;
class TSheetSource;

// The print dialog's settings that shape a sheet, read at every build.
struct TSheetOptions {
    bool DrawTitle = false;
    bool DrawRemarks = false;
    int LeftMargin = 0;
    int ColWidth = 0;
    int MarkColWidth = 0;
    int RowHeight = 0;
};

// Record a pupil's evaluation sheet, or the selected class's summary sheet,
// into the recorder as a whole new document (BeginDoc to EndDoc). The pupil
// sheet takes its subject lines from the pupil's class record.
void BuildPupilSheet(TPageRecorder& preview, const TSheetSource& source, const TPData& pupil,
                     const TPData& schoolClass, const TSheetOptions& options);
void BuildClassSheet(TPageRecorder& preview, const TSheetSource& source,
                     const TSheetOptions& options);

// The same with the canvas they measure and draw with; the ones above use the
// recorder's own painter.
void BuildPupilSheet(TPageRecorder& preview, TSheetCanvas& canvas, const TSheetSource& source,
                     const TPData& pupil, const TPData& schoolClass, const TSheetOptions& options);
void BuildClassSheet(TPageRecorder& preview, TSheetCanvas& canvas, const TSheetSource& source,
                     const TSheetOptions& options);
