-- The views the program reads. They use only SQLite's own functions, so that
-- the database file also opens and queries in the sqlite3 tool.

-- The record list: every dt_data column by its own name, and the columns the
-- catalogue names by ShowName for the codes: region, level, state and the
-- record state in words.
CREATE VIEW view_data AS
SELECT d.*,
       (SELECT c.CombName FROM CT_CityName c WHERE c.ID = d.c903) AS CityName,
       (SELECT l.Name FROM CT_LevelCode l WHERE l.ID = d.c904) AS LevelName,
       (SELECT s.Name FROM ct_state s WHERE s.ID = d.c907) AS StateName,
       CASE d.RecordState
           WHEN 0 THEN '临时保存'
           WHEN 1 THEN '无逻辑错误'
           WHEN 2 THEN '有逻辑错误'
           ELSE ''
       END AS RecordStateName
FROM dt_data d;

-- The indicator query reads this one when its condition names a field of
-- 附表2; it delivers the same columns.
CREATE VIEW view_data_all AS
SELECT * FROM view_data;

-- The column dialog: every catalogue field with the title of its page;
-- visible is written through the view.
CREATE VIEW view_fieldlist AS
SELECT f.ID AS id, f.FieldName, f.Hint, f.Visible AS visible, f.PageID, f.sequence,
       (SELECT p.CodeName FROM ct_sheetName p WHERE p.CodeID = f.PageID) AS SheetName
FROM dt_fieldlist f;

CREATE TRIGGER view_fieldlist_update INSTEAD OF UPDATE ON view_fieldlist
BEGIN
    UPDATE dt_fieldlist SET Visible = NEW.visible WHERE ID = OLD.id;
END;

-- The indicator query's list of indicators per survey page. The cover offers
-- its numeric fields (unit code, region, level, state), which a condition
-- compares as numbers; its texts (name, contact) it does not.
CREATE VIEW view_datasearch AS
SELECT f.PageID, f.sequence, f.FieldName AS codename, f.Hint, f.QueryType
FROM dt_fieldlist f
WHERE f.PageID BETWEEN 1 AND 13
   OR (f.PageID = 0 AND f.QueryType = 0);

-- Group items with their bounds as comparison texts (">=" followed by the
-- bound in plain digits); items are added, changed and deleted through it.
CREATE VIEW view_group_item AS
SELECT g.id, g.GroupID, g.Title, g.LowBoundary, g.HighBoundary, g.LowSymbol, g.HighSymbol,
       ifnull(g.LowSymbol, '') || ifnull(printf('%.0f', g.LowBoundary), '') AS LowValue,
       ifnull(g.HighSymbol, '') || ifnull(printf('%.0f', g.HighBoundary), '') AS HighValue
FROM DT_GroupItem g;

CREATE TRIGGER view_group_item_insert INSTEAD OF INSERT ON view_group_item
BEGIN
    INSERT INTO DT_GroupItem (id, GroupID, Title, LowBoundary, HighBoundary, LowSymbol, HighSymbol)
    VALUES (NEW.id, NEW.GroupID, NEW.Title, NEW.LowBoundary, NEW.HighBoundary, NEW.LowSymbol,
            NEW.HighSymbol);
END;

CREATE TRIGGER view_group_item_update INSTEAD OF UPDATE ON view_group_item
BEGIN
    UPDATE DT_GroupItem
    SET id = NEW.id, GroupID = NEW.GroupID, Title = NEW.Title, LowBoundary = NEW.LowBoundary,
        HighBoundary = NEW.HighBoundary, LowSymbol = NEW.LowSymbol, HighSymbol = NEW.HighSymbol
    WHERE id = OLD.id;
END;

CREATE TRIGGER view_group_item_delete INSTEAD OF DELETE ON view_group_item
BEGIN
    DELETE FROM DT_GroupItem WHERE id = OLD.id;
END;
