// The progress window of the Qt backend: a QProgressDialog, modal over the
// whole application, with the job's title and label, a bar of what the job
// reported (a busy bar while it reported nothing) and the button
// "キャンセル"; the button, Escape and the close box cancel the job. It
// shows until the job has ended.
#pragma once

class CUiProgressJob;
class QWidget;

// Shows the window over `parent` (null for none) and runs a loop of its own
// until `job` has ended.
void QtRunProgressWindow(QWidget* parent, CUiProgressJob& job);
