#pragma once

class Clock;
class GVarMod;
class LocaleForms;
class MessageBox;
class Printer;

// Prints the whole log as a paged table, 36 readings to an A4 portrait page, with the
// title, the column headings and a footer "Seite n   (date)" on every page. A failure of
// the printer shows "druck Fehler Bericht!" and gives up the document. Returns true when
// the document was sent.
bool printTable(Printer &printer, const GVarMod &vars, const LocaleForms &forms, const Clock &clock,
    MessageBox &messages);
