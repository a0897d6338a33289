# Sources of the reading table, the printer adapter, the two printouts and the limit flow.
