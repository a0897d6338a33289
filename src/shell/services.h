#pragma once

class Clock;
class FileDialog;
class GVarMod;
class LocaleForms;
class MessageBox;
class ModalGate;
class PortProbe;
class Printer;
class SerialComm;
class SerialPortMap;
struct ReadoutState;

// What Main hands the main window: the program-wide state and the platform's adapters,
// real ones in the program and fakes in the tests.
struct Services {
    GVarMod &vars;
    ReadoutState &readout;
    SerialComm &comm;         // MainForm's MSComm1
    FileDialog &mainDialog;   // MainForm's CommonDialog1
    FileDialog &dataDialog;   // DataForm's CommonDialog1
    MessageBox &messages;
    const Clock &clock;
    const LocaleForms &forms;
    const SerialPortMap &portMap;
    PortProbe &probe;
    ModalGate &modal;
    Printer &printer; // the system's default printer
};
