-- Demo purchase/sale conditions, categories, banks and view field lists.
INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, CantidadDias) VALUES (1, 'Contado', 0);
INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, CantidadDias) VALUES (2, 'Cuenta Corriente 30 Días', 30);
INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, CantidadDias) VALUES (3, 'Cuenta Corriente 60 Días', 60);
INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION, CantidadDias) VALUES (4, 'Cheque a 90 Días', 90);
INSERT INTO V_TA_CATEGORIA (IDCategoria, DESCRIPCION) VALUES (1, 'Mayorista');
INSERT INTO V_TA_CATEGORIA (IDCategoria, DESCRIPCION) VALUES (2, 'Minorista');
INSERT INTO V_TA_CATEGORIA (IDCategoria, DESCRIPCION) VALUES (3, 'Distribuidor');
INSERT INTO V_TA_BANCOS (IDBanco, DESCRIPCION) VALUES (1, 'Banco Regional del Centro');
INSERT INTO V_TA_BANCOS (IDBanco, DESCRIPCION) VALUES (2, 'Banco Cooperativo del Sur');
INSERT INTO V_TA_BANCOS (IDBanco, DESCRIPCION) VALUES (3, 'Caja de Crédito del Litoral');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Clientes', 'Condición de Compra Venta', 'CL');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Clientes', 'Limite de Crédito', 'CL');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Clientes', 'Categoría', 'CL');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Proveedores', 'Condición de Compra Venta', 'PR');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Bancos', '', 'BN');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Mayoristas', 'Categoría', 'CL');
INSERT INTO TA_VISTAS (NOMBRE, CAMPO, TIPOVISTA) VALUES ('Mayoristas', 'Limite de Crédito', 'CL');
