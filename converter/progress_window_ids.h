// The progress window's template and controls (progress_window.rc).
#pragma once

#define IDD_CONVERSION_PROGRESS 200
#define IDC_PROGRESS_DOCUMENT 201
#define IDC_PROGRESS_PAGES 202
