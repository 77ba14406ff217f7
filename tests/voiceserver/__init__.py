"""A voice conference test server speaking the engine's text control
protocol, with its own cipher and line coding (Python standard library only;
it shares no code or tables with the engine)."""
