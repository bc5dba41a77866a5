// Tells the user that a job has finished with a balloon from an icon in the
// notification area (Kelpa.Notice), and notices a click on it.
// Interactive: no (a click is welcome; the icon goes away by itself)
var notice = new ActiveXObject("Kelpa.Notice");
var files = doTheJob();
notice.IconID = 32516;                   // the system's "information" icon
notice.TipText = "Nightly export";
notice.BalloonTitle = "Export finished";
notice.BalloonText = files + " files exported to the share. Click to open the folder.";
notice.BalloonIcon = 2;                  // information (1 none, 3 warning, 4 error, 5 the tray icon)
if (!notice.Add() || !notice.ShowBalloon()) {
    WScript.Echo("No notice could be shown (error code " + notice.ErrorCode + ")");
} else {
    var until = new Date().getTime() + 1500;   // give the user a few seconds
    while (new Date().getTime() < until && !notice.BalloonClicked && notice.TrayClicked == 0)
        pause(200);
    if (notice.BalloonClicked || notice.TrayClicked != 0)
        WScript.Echo("The user clicked: the folder would open now");
    else
        WScript.Echo("Balloon shown: " + notice.BalloonTitle + ": " + notice.BalloonText);
}
notice.Remove();

function doTheJob() { return 42; }       // stands for the real work

function pause(ms) {   // WScript.Sleep, or waiting by the clock where the host lacks it (Wine)
    var end = new Date().getTime() + ms;
    try { WScript.Sleep(ms); } catch (e) {}
    while (new Date().getTime() < end) {}
}
