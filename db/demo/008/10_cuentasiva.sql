-- The demo's VAT accounts: purchase VAT and suffered perceptions, sales VAT
-- (registered, non-registered, monotax and final consumer alike).
INSERT INTO TA_CUENTASIVA (ID, CFI_IVARI, DFI_IVARI, DFI_IVARNI, DFI_IVARM, DFI_IVACF, CFI_RETPERC, DFI_RETPERC, CFI_RETIGAN, CFI_RETIBTOS, DFI_RETIBTOS, DFI_IVAREC) VALUES (1, '1103010010001', '2102010010001', '2102010010001', '2102010010001', '2102010010001', '1103010010002', '', '', '', '', '');
