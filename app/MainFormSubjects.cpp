#include "app/MainForm.h"

// The subject editor opens here.
void TMainForm::FileModifyMattersExecute() {}
