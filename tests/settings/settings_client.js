// A JScript client of the settings class. Argument: the data folder that the
// component uses (the runner sets APPDATA). Counts its own failures, prints
// "failed=<n>;" and ends with that number as its exit code.
var failures = 0;
var folder = WScript.Arguments(0);
var fso = new ActiveXObject("Scripting.FileSystemObject");

function check(condition, what) {
  if (!condition) {
    failures++;
    WScript.Echo("FAILED: " + what);
  }
}

function fileText(name) {
  var path = folder + "\\" + name;
  if (!fso.FileExists(path)) return "<missing>";
  var stream = fso.OpenTextFile(path, 1);
  var text = stream.AtEndOfStream ? "" : stream.ReadAll();
  stream.Close();
  return text;
}

var settings = new ActiveXObject("corvale.PDFPrinterSettings");
settings.SetPrinterInstance("jscript");
settings.LoadSettings(false);
check(settings.GetValue("missing") === "", "a missing name gives the empty text");
settings.SetValue("output", "c:\\a.pdf");
settings.SetValue("empty", "");
settings.writesettings(false);
check(fileText("settings-jscript.ini") === "[PDF Printer]\r\n  output=c:\\a.pdf\r\n  empty=\r\n",
      "settings-jscript.ini: " + fileText("settings-jscript.ini"));

// A regular file copied into the run-once file; the omitted argument means run-once.
var copy = new ActiveXObject("corvale.PDFPrinterSettings");
copy.setprinterinstance("jscript");
copy.LoadSettings(false);
check(copy.GetValue("empty") === "", "an empty value comes back empty");
copy.WriteSettings();
check(fileText("runonce-jscript.ini") === fileText("settings-jscript.ini"), "run-once copy of the settings");

// Error 5 through the exception object: a setting whose line would read back
// as a section is stored and read back, but the write refuses it before it
// touches the file.
var before = fileText("runonce-jscript.ini");
copy.SetValue("[x", "y]");
check(copy.GetValue("[x") === "y]", "SetValue stores any setting");
var raised = null;
try {
  copy.WriteSettings(true);
} catch (e) {
  raised = e;
}
check(raised !== null, "WriteSettings of a setting that would read back as a section raises");
if (raised !== null) {
  check((raised.number >>> 0) === 0x800A0005, "error number 0x800A0005, got " + (raised.number >>> 0).toString(16));
  check(raised.description.indexOf("'[x'") >= 0, "error text: " + raised.description);
}
check(fileText("runonce-jscript.ini") === before, "the refused write leaves the file as it was");

settings.RemoveSettings(false);
settings.RemoveSettings(true);
check(!fso.FileExists(folder + "\\settings-jscript.ini"), "RemoveSettings(false) deletes the regular file");
check(!fso.FileExists(folder + "\\runonce-jscript.ini"), "RemoveSettings(true) deletes the run-once file");

WScript.Echo("failed=" + failures + ";");
WScript.Quit(failures);
