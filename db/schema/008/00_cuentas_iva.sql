-- Accounts of the VAT concepts, read by the reception of the commercial
-- system's vouchers: its first row (lowest ID) names, per concept, the account
-- whose amounts a voucher's VAT-book columns collect. A blank column names none.
CREATE TABLE TA_CUENTASIVA (
  ID ENTERO NOT NULL PRIMARY KEY,
  CFI_IVARI TEXTO(15),
  DFI_IVARI TEXTO(15),
  DFI_IVARNI TEXTO(15),
  DFI_IVARM TEXTO(15),
  DFI_IVACF TEXTO(15),
  CFI_RETPERC TEXTO(15),
  DFI_RETPERC TEXTO(15),
  CFI_RETIGAN TEXTO(15),
  CFI_RETIBTOS TEXTO(15),
  DFI_RETIBTOS TEXTO(15),
  DFI_IVAREC TEXTO(15)
);
