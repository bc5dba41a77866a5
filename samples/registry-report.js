// A registry report with Kelpa.Registry (it only reads): the Windows edition, then
// settings under HKCU\Software\Kelpa Samples, which WScript.Shell writes and removes.
// Interactive: no
var reg = new ActiveXObject("Kelpa.Registry");
var nt = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\";
WScript.Echo("Windows:  " + reg.RegRead(nt + "ProductName") + ", build " + reg.RegRead(nt + "CurrentBuildNumber"));
var owner = reg.RegRead(nt + "RegisteredOwner");   // Empty, with ErrorCode 802, when missing
WScript.Echo("Owner:    " + (reg.ErrorCode == 0 && owner ? owner : "(not recorded)"));

var shell = new ActiveXObject("WScript.Shell");
var key = "HKCU\\Software\\Kelpa Samples\\";
shell.RegWrite(key + "Report\\Folder", "%TEMP%\\reports", "REG_EXPAND_SZ");
shell.RegWrite(key + "Report\\Copies", 5, "REG_DWORD");
shell.RegWrite(key + "Report\\Mail\\To", "it-desk@example.org", "REG_SZ");

WScript.Echo("Folder:   " + reg.RegRead(key + "Report\\Folder") + "  (expanded)");
reg.ConvertStr = false;
WScript.Echo("          " + reg.RegRead(key + "Report\\Folder") + "  (as stored)");
WScript.Echo("Copies:   " + reg.RegRead(key + "Report\\Copies") + " (" + typeof reg.RegRead(key + "Report\\Copies") + ")");
var kinds = ["missing", "a key", "a value"];
WScript.Echo("Report\\Mail is " + kinds[reg.RegEntryExists(key + "Report\\Mail")] +
             ", Report\\Size is " + kinds[reg.RegEntryExists(key + "Report\\Size")]);
reg.ItemType = 1;                        // count value names; a JScript caller takes only the count
WScript.Echo("Report holds " + reg.GetItems(key + "Report", null) + " values");
reg.ItemType = 2;                        // search string data
WScript.Echo("The mail address is kept in " + reg.Search("it-desk@example.org", "HKCU\\Software\\Kelpa Samples"));

// reg.exe removes the whole tree at once (WScript.Shell.RegDelete takes one empty key at a time).
shell.Run("reg.exe delete \"HKCU\\Software\\Kelpa Samples\" /f", 0, true);
WScript.Echo("Cleaned up: HKCU\\Software\\Kelpa Samples is " + kinds[reg.RegEntryExists("HKCU\\Software\\Kelpa Samples")]);
