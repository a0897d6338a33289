#pragma once

// Counts the program's modal dialogs that are open. Qt keeps delivering serial data
// while a dialog runs its own event loop, but a handler that waits on a question or a
// file dialog is in the middle of its work: readings that arrive meanwhile are not
// logged, and the log's limit handling can never start inside another dialog.
class ModalGate {
public:
    bool isOpen() const { return m_depth > 0; }

    class Scope {
    public:
        explicit Scope(ModalGate &gate) : m_gate(gate) { ++m_gate.m_depth; }
        ~Scope() { --m_gate.m_depth; }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        ModalGate &m_gate;
    };

private:
    int m_depth = 0;
};
