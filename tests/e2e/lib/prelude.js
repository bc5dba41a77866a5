// Check helpers put in front of every JScript test by tests/run-script.
var gPassed = 0, gFailed = 0;
var gShell = new ActiveXObject("WScript.Shell");
// Wine's ExpandEnvironmentStrings keeps the terminating NUL in the result.
function envVar(name) {
    var v = gShell.ExpandEnvironmentStrings("%" + name + "%");
    var nul = v.indexOf(String.fromCharCode(0));
    return nul < 0 ? v : v.substring(0, nul);
}
var gTemp = envVar("KELPA_TEST_TEMP");

function show(v) {
    if (typeof v === "string") return '"' + v + '" (len ' + v.length + ")";
    return String(v) + " (" + typeof v + ")";
}
function checkEq(name, actual, expected) {
    if (typeof actual === typeof expected && actual === expected) {
        gPassed++;
        WScript.Echo("PASS: " + name);
    } else {
        gFailed++;
        WScript.Echo("FAIL: " + name + ": got " + show(actual) + ", expected " + show(expected));
    }
}
function check(name, condition) { checkEq(name, !!condition, true); }
// Runs f and returns the error it raised, or null.
function caught(f) {
    try { f(); } catch (e) { return e; }
    return null;
}
// An HRESULT as JScript reports it (a signed 32-bit number) in hexadecimal.
function hex(n) { return (n < 0 ? n + 0x100000000 : n).toString(16).toUpperCase(); }
function done() { WScript.Echo("DONE: " + gPassed + " passed, " + gFailed + " failed"); }
