' A VBScript client of the settings class. Argument: the data folder that the
' component uses (the runner sets APPDATA). Counts its own failures, prints
' "failed=<n>;" and ends with that number as its exit code.
Option Explicit

Dim failures, folder, fso
failures = 0
folder = WScript.Arguments(0)
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Check(condition, what)
  If Not condition Then
    failures = failures + 1
    WScript.Echo "FAILED: " & what
  End If
End Sub

Function FileText(name)
  FileText = "<missing>"
  If fso.FileExists(folder & "\" & name) Then
    Dim stream
    Set stream = fso.OpenTextFile(folder & "\" & name, 1)
    FileText = stream.ReadAll()
    stream.Close
  End If
End Function

Sub RemoveFile(name)
  If fso.FileExists(folder & "\" & name) Then fso.DeleteFile folder & "\" & name
End Sub

' The configuration tool's sequence on a missing run-once file.
Dim tool
RemoveFile "runonce.ini"
Set tool = CreateObject("corvale.PDFPrinterSettings")
tool.loadsettings True
tool.SetValue "output", "c:\document.pdf"
tool.writesettings True
Check FileText("runonce.ini") = "[PDF Printer]" & vbCrLf & "  output=c:\document.pdf" & vbCrLf, _
      "the run-once file holds the header and one setting: " & FileText("runonce.ini")

' The omitted argument loads the run-once file; names are exact.
Dim reader
Set reader = CreateObject("corvale.PDFPrinterSettings")
reader.LOADSETTINGS
Check reader.getvalue("output") = "c:\document.pdf", "LoadSettings without argument reads runonce.ini"
Check reader.GetValue("Output") = "", "GetValue is case-sensitive"
reader.SetValue "", "x"
Check reader.GetValue("") = "", "GetValue of the empty name is empty"

' Instances select their own files and keep the settings in memory.
reader.SetPrinterInstance "Office"
Check reader.GetValue("output") = "c:\document.pdf", "SetPrinterInstance keeps the settings"
reader.WriteSettings False
Check FileText("settings-Office.ini") = "[PDF Printer]" & vbCrLf & "  output=c:\document.pdf" & vbCrLf & _
      "  =x" & vbCrLf, "settings-Office.ini: " & FileText("settings-Office.ini")
reader.Init
reader.LoadSettings False
Check reader.GetValue("output") = "", "Init returns to the default instance"

' Any name names an instance; what a file name cannot hold is escaped.
On Error Resume Next
reader.SetPrinterInstance "..\Invoices: <A4>"
Check Err.Number = 0, "SetPrinterInstance raises nothing, got " & Err.Number
Err.Clear
On Error GoTo 0
reader.WriteSettings False
Check FileText("settings-..%5CInvoices%3A %3CA4%3E.ini") = "[PDF Printer]" & vbCrLf, _
      "the escaped instance's file: " & FileText("settings-..%5CInvoices%3A %3CA4%3E.ini")
reader.RemoveSettings False
reader.SetPrinterInstance ""

' A file that cannot be written raises error 1000 with its message.
Dim expected
reader.WriteSettings False
fso.GetFile(folder & "\settings.ini").Attributes = 1
expected = "Error writing settings file '" & folder & "\settings.ini'. Error 5: "
On Error Resume Next
reader.WriteSettings False
Check Err.Number = 1000, "error number 1000, got " & Err.Number
Check Left(Err.Description, Len(expected)) = expected, "error text: " & Err.Description
Check Err.Source = "corvale.PDFPrinterSettings", "error source: " & Err.Source
Err.Clear
On Error GoTo 0
fso.GetFile(folder & "\settings.ini").Attributes = 0
RemoveFile "settings.ini"

' RemoveSettings deletes the file only.
tool.RemoveSettings
Check Not fso.FileExists(folder & "\runonce.ini"), "RemoveSettings without argument deletes runonce.ini"
Check tool.GetValue("output") = "c:\document.pdf", "RemoveSettings keeps the settings in memory"
tool.RemoveSettings
RemoveFile "settings-Office.ini"

WScript.Echo "failed=" & failures & ";"
WScript.Quit failures
